#include "ui/ExitScreenTexts.h"

#include <QLatin1String>

#include <array>
#include <string_view>

namespace qx {

namespace {

// Appeals shown at random on the exit screen; each names the discussion site
// by its brand, so the texts do not depend on the host it is served from.
constexpr std::array<std::string_view, 4> Appeals = {
    "Programs like this one can only be developed and kept up with the support of "
    "people like you. The best way to help us is to visit Orvane Forums regularly and "
    "take part in its discussions and other activities. Thank you so much!",
    "Please visit Orvane Forums regularly and take part in its discussions and other "
    "activities. Without your regular visits to the forum, we simply cannot keep "
    "developing and maintaining these free programs for you.",
    "Orvane Forums is a free online discussion forum on astrology, psychics and the "
    "occult. Visit it regularly to help it grow and to keep this program going "
    "strong.",
    "Orvane Forums really needs your help! Please visit it regularly and take part in "
    "its discussions. Your visits will help us keep this program up to date and "
    "develop many more free programs like it.",
};

static_assert(Appeals[0].size() == 227);
static_assert(Appeals[1].size() == 211);
static_assert(Appeals[2].size() == 160);
static_assert(Appeals[3].size() == 196);

// The promotional paragraph is two paragraphs of text; the label shows it as
// one block, so a run of blanks stands in for the paragraph break.
constexpr std::string_view PromotionFirstParagraph =
    "Did you enjoy using this program? Then why not try our other programs too! Orvane "
    "Softwares offers a wide range of astrology, psychic, tarot, numerology and occult "
    "software, from birth charts, daily horoscopes and love compatibility tests to "
    "detailed tarot card readings, lucky number reports and much more.";

constexpr std::string_view PromotionSecondParagraph =
    "All our programs are easy to use and come with clear, friendly reports, and many of "
    "them are free to download and try. Visit Orvane Softwares today to download them "
    "all, and discover what the stars, the cards and the numbers have in store for you!";

constexpr qsizetype ParagraphBreakBlanks = 61;

static_assert(PromotionFirstParagraph.size() + ParagraphBreakBlanks + PromotionSecondParagraph.size() == 615);

QString fromAscii(std::string_view text)
{
    return QLatin1String(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString exitScreenAppeal(int index)
{
    if (index < 0 || index >= static_cast<int>(Appeals.size()))
        index = 0;
    return fromAscii(Appeals[static_cast<std::size_t>(index)]);
}

QString exitScreenPromotion()
{
    return fromAscii(PromotionFirstParagraph) + QString(ParagraphBreakBlanks, u' ')
           + fromAscii(PromotionSecondParagraph);
}

QString exitScreenVisitCaption(const QString &host)
{
    return QStringLiteral("Click here to visit ") + host + QStringLiteral(" now!");
}

} // namespace qx
