#include "core/platform/Platform.h"

namespace qx {

namespace {

class NoMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString &, MessageIcon, MessageButtons) override { return MessageAnswer::Unanswered; }
};

class NoUrlOpener final : public UrlOpener {
public:
    void open(const QString &) override {}
};

class NoClock final : public Clock {
public:
    QDate today() const override { return {}; }
};

class NoRandomSource final : public RandomSource {
public:
    void randomize() override {}

private:
    float generate() override { return 0.0f; }
};

class NoClipboard final : public Clipboard {
public:
    void clear() override {}
};

class NoSettingsStore final : public SettingsStore {
public:
    std::optional<QString> value(const QString &, const QString &) override { return std::nullopt; }
    bool setValue(const QString &, const QString &, const QString &) override { return false; }
};

// The services given, with a do-nothing one for each that is missing.
Platform completed(Platform services)
{
    static NoMessageBoxes messages;
    static NoUrlOpener urls;
    static NoClock clock;
    static NoRandomSource random;
    static NoClipboard clipboard;
    static NoSettingsStore settings;
    if (!services.messages)
        services.messages = &messages;
    if (!services.urls)
        services.urls = &urls;
    if (!services.clock)
        services.clock = &clock;
    if (!services.random)
        services.random = &random;
    if (!services.clipboard)
        services.clipboard = &clipboard;
    if (!services.settings)
        services.settings = &settings;
    return services;
}

Platform &installed()
{
    static Platform services = completed({});
    return services;
}

} // namespace

const Platform &platform()
{
    return installed();
}

void installPlatform(const Platform &services)
{
    installed() = completed(services);
}

void showMessage(const QString &text, MessageIcon icon)
{
    platform().messages->show(text, icon, MessageButtons::Ok);
}

} // namespace qx
