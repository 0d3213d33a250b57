#pragma once

// Recorders that stand in for the desktop in tests: no modal box blocks,
// no browser opens, no real setting is touched.

#include "core/platform/Platform.h"

#include <QDate>
#include <QMap>
#include <QQueue>
#include <QStringList>

#include <functional>

namespace qx::test {

struct RecordedMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

class MessageRecorder final : public MessageBoxes {
public:
    MessageAnswer show(const QString &text, MessageIcon icon, MessageButtons buttons) override
    {
        messages.append({text, icon, buttons});
        if (onShow)
            onShow(messages.constLast());
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answers.isEmpty() ? MessageAnswer::No : answers.dequeue();
    }
    QStringList texts() const
    {
        QStringList list;
        for (const RecordedMessage &message : messages)
            list.append(message.text);
        return list;
    }
    QList<RecordedMessage> messages;
    QQueue<MessageAnswer> answers; // for Yes/No questions; No when empty
    // Runs while the box would be up, e.g. to look at the program's state then.
    std::function<void(const RecordedMessage &)> onShow;
};

class UrlRecorder final : public UrlOpener {
public:
    void open(const QString &address) override
    {
        addresses.append(address);
        if (onOpen)
            onOpen(address);
    }
    QStringList addresses;
    // Runs as each address is opened, e.g. to look at the program's state then.
    std::function<void(const QString &)> onOpen;
};

class FixedClock final : public Clock {
public:
    QDate today() const override { return date; }
    QDate date{2026, 12, 8};
};

class ScriptedRandom final : public RandomSource {
public:
    void randomize() override { ++randomizeCount; }
    QQueue<float> values; // 0 when empty
    int randomizeCount = 0;

private:
    float generate() override { return values.isEmpty() ? 0.0f : values.dequeue(); }
};

class ClipboardRecorder final : public Clipboard {
public:
    void clear() override { ++clearCount; }
    int clearCount = 0;
};

class MemorySettings final : public SettingsStore {
public:
    std::optional<QString> value(const QString &section, const QString &key) override
    {
        ++readCount;
        if (unreadable)
            return std::nullopt;
        return values.value(section + QLatin1Char('/') + key);
    }
    bool setValue(const QString &section, const QString &key, const QString &value) override
    {
        ++writeCount;
        if (unwritable)
            return false;
        values.insert(section + QLatin1Char('/') + key, value);
        return true;
    }
    void flush() override { ++flushCount; }
    QMap<QString, QString> values;
    bool unreadable = false;
    bool unwritable = false;
    int readCount = 0;
    int writeCount = 0;
    int flushCount = 0;
};

// Installs a full set of recorders for the lifetime of the object.
class TestPlatform {
public:
    TestPlatform() { installPlatform(Platform{&messages, &urls, &clock, &random, &clipboard, &settings}); }
    // Takes the recorders out of use, unless another TestPlatform has taken
    // their place already (as `services = std::make_unique<TestPlatform>()` does).
    ~TestPlatform()
    {
        if (platform().messages == &messages)
            installPlatform({});
    }
    Q_DISABLE_COPY(TestPlatform)
    MessageRecorder messages;
    UrlRecorder urls;
    FixedClock clock;
    ScriptedRandom random;
    ClipboardRecorder clipboard;
    MemorySettings settings;
};

} // namespace qx::test
