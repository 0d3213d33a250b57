#include "QtPlatform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include <cmath>

namespace qx {

MessageAnswer QtMessageBoxes::show(QWidget *parent, const QString &text, MessageIcon icon,
                                   MessageButtons buttons)
{
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromLatin1(ApplicationTitle), text,
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

QtSettingsStore::QtSettingsStore(const QString &applicationName)
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             applicationName, applicationName))
{
}

std::optional<QString> QtSettingsStore::value(const QString &section, const QString &key)
{
    const QFileInfo file(m_settings->fileName());
    if (file.exists() && !file.isReadable())
        return std::nullopt;
    if (m_settings->status() != QSettings::NoError)
        return std::nullopt;
    const QVariant stored = m_settings->value(section + QLatin1Char('/') + key);
    if (stored.isValid() && !stored.canConvert<QString>())
        return std::nullopt;
    return stored.toString();
}

bool QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

void QtSettingsStore::flush()
{
    m_settings->sync();
}

QString QtSettingsStore::fileName() const
{
    return m_settings->fileName();
}

QString ExecutableBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("QXFreeFriendshipCompatibilityTest") : name;
}

} // namespace qx
