#include "QtPlatform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringDecoder>
#include <QUrl>

#include <cmath>

namespace qx {

MessageAnswer QtMessageBoxes::show(QWidget *parent, const QString &text, MessageIcon icon,
                                   MessageButtons buttons)
{
    // The texts break lines with a lone carriage return; the box breaks them with a line feed.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromLatin1(ApplicationTitle), shown,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok,
                    parent);
    if (buttons == MessageButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void DesktopUrlOpener::open(const QString &address)
{
    // The addresses are built ready-encoded; take them byte for byte.
    QDesktopServices::openUrl(QUrl::fromEncoded(address.toUtf8()));
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

void QtRandomSource::randomize()
{
    const auto msecs = QDateTime::currentMSecsSinceEpoch();
    m_generator = QRandomGenerator(static_cast<quint32>(msecs ^ (msecs >> 32)));
}

float QtRandomSource::next()
{
    // A double just below 1 rounds up to 1.0f; keep the value below 1.
    const auto r = static_cast<float>(m_generator.generateDouble());
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

void SystemClipboard::clear()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear(QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->clear(QClipboard::Selection);
}

namespace {

// QSettings reads almost anything as an INI file and takes what it cannot
// parse for missing keys. Accept only a file that is text made of blank
// lines, comments, section headers and key=value lines; anything else is
// taken for a store that cannot be read, and is neither read nor rewritten.
bool looksLikeIniText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString content = line.trimmed();
        if (content.isEmpty() || content.startsWith(QLatin1Char(';'))
            || content.startsWith(QLatin1Char('#')))
            continue;
        if (content.startsWith(QLatin1Char('[')) && content.endsWith(QLatin1Char(']')))
            continue;
        if (content.indexOf(QLatin1Char('=')) > 0)
            continue;
        return false;
    }
    return true;
}

// True when the store's file is missing (nothing stored yet) or is a
// readable settings file.
bool isUsableSettingsFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return looksLikeIniText(file.readAll());
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString &applicationName)
    : m_applicationName(applicationName)
{
}

QtSettingsStore::~QtSettingsStore() = default;

QSettings &QtSettingsStore::settings() const
{
    // Opened on first use: a run that never asks for a setting never reads the file.
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 m_applicationName, m_applicationName);
    return *m_settings;
}

std::optional<QString> QtSettingsStore::value(const QString &section, const QString &key)
{
    QSettings &store = settings();
    if (!isUsableSettingsFile(store.fileName()) || store.status() != QSettings::NoError)
        return std::nullopt;
    const QString path = section + QLatin1Char('/') + key;
    if (!store.contains(path))
        return QString();
    const QVariant stored = store.value(path);
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt; // a list, a foreign type or a value that did not load
    return stored.toString();
}

bool QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    QSettings &store = settings();
    if (!isUsableSettingsFile(store.fileName()) || store.status() != QSettings::NoError)
        return false;
    store.setValue(section + QLatin1Char('/') + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

void QtSettingsStore::flush()
{
    // Closing writes what is pending. It also lets the file go while the
    // application still exists: a store kept open until static destruction
    // would outlive the settings machinery of Qt it was opened with. The next
    // use opens the file again.
    m_settings.reset();
}

QString QtSettingsStore::fileName() const
{
    return settings().fileName();
}

QString ExecutableBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("QXFreeFriendshipCompatibilityTest") : name;
}

} // namespace qx
