#include "engine/RelationCompatibility.h"

#include "engine/SunSign.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace qx {

namespace {

// The sentences, numbered from 1. Many come in near-identical pairs that
// differ only at the end (a final period or not, a trailing blank, a
// closing quote); each is kept as it is shown, and none is merged with its
// partner.
constexpr std::array<std::string_view, RelationSentenceCount> Sentences = {
    /*   1 */ "This is an electric friendship. You can have a good time if both of you are understanding else this can "
              "turn into a selfish match",
    /*   2 */ "This is a balanced friendship in which one will be cautious while the other will be assertive",
    /*   3 */ "This can be an intellectual friendship and both of you enjoy great communication with each other",
    /*   4 */ "Both of you are opposites and this may turn out to be a great relationship if you understand each other",
    /*   5 */ "This is a competitive friendship where both of you are leaders and dominating but respect each other",
    /*   6 */
    "This can be a devoted friendship provided you both understand the power and strength of your relationship",
    /*   7 */
    "This is a totally opposite friendship that can be greatly balanced if you learn what you lack from the other",
    /*   8 */
    "Since both of you have powerful personalities this relationship can be wonderful if you both work on it and do "
    "not fight",
    /*   9 */ "This is a dynamic relationship where both of you are matched for each other and can have a great time.",
    /*  10 */
    "This friendship can achieve a lot of goals even with different styles of working if you can overcome your "
    "differences",
    /*  11 */
    "This friendship is full of creativity and energy and you are always willing to try something new and adventurous",
    /*  12 */ "This is a beneficial friendship where one can learn from the other and both are ready to teach other",
    /*  13 */ "This is a balanced friendship in which one will be cautious while the other will be assertive.",
    /*  14 */
    "This is one of the most balanced friendships. This can turn out to be exciting, comfortable and fulfilling if you "
    "are not stubborn and rigid.",
    /*  15 */
    "This can turn out to be a great friendship if you are ready to give each other time to get to know each other.",
    /*  16 */ "This can be a very caring relationship where both of you understand each other very well.",
    /*  17 */
    "This is a very loyal friendship where both of you understand each other's needs very well and do your best to "
    "fulfill them.",
    /*  18 */ "This is a very practical relationship where both of can teach each other a lot and gain in the process",
    /*  19 */
    "This can be a very respectable friendship where both of you are artistically inclined and understand each other's "
    "likes and dislikes over a period of time",
    /*  20 */
    "You can make this relationship work if you keep control over your strong personalities and work together as a "
    "team.",
    /*  21 */ "You will have to work on your friendship and have patience to make it work. ",
    /*  22 */
    "This is a very practical friendship where everything is logical and down to earth and you can help each other "
    "overcome your insecurities",
    /*  23 */
    "This may seem a very unlikely combination but this can be a great pair since both of your strive for the same "
    "achievement only in different ways.",
    /*  24 */
    "This is a very harmonious relationship where both of you can overcome your differences and make it more positive.",
    /*  25 */
    "This can turn out to be a great friendship if you are ready to give each other time to get to know each other.\"",
    /*  26 */
    "This will be a very happy friendship full of fun, adventure excitement. You enjoy each other's company and have a "
    "great understanding.",
    /*  27 */ "This friendship will succeed only if both cooperate and learn to live with each other.",
    /*  28 */
    "This is a very optimistic relationship where both can gain from each other if they are understanding and open in "
    "their thinking.",
    /*  29 */ "This is a very secure friendship where you both learn to commit to each other.",
    /*  30 */
    "This is a very intellectual relationship where motivation can be the key to this being successful and mentally "
    "stimulating",
    /*  31 */ "You can make your differences work out for themselves and achieve your ultimate goals",
    /*  32 */ "This is a great relationship which can be a learning experience full of enthusiasm and energy.",
    /*  33 */
    "This friendship will work if both you are able to overcome the exterior differences and understand the underlying "
    "meaning of your friendship.",
    /*  34 */
    "This is a mentally enriching experience. You both can learn a lot from each other and become better people.",
    /*  35 */ "This is a compassionate relationship which needs to be very flexible if it has to succeed.",
    /*  36 */
    "Both of you are opposites and this may turn out to be a great relationship if you understand each other.",
    /*  37 */ "This will be an emotional friendship where both of you will be sympathetic to each other's needs.",
    /*  38 */ "This can be a sincere relationship if both of you strive to make it work out.",
    /*  39 */ "You are both sincere and devoted to each other and this is a very stable and compatible relationship",
    /*  40 */
    "This friendship will work out if both of you understand what you lack and see the positive aspects of this "
    "relationship.",
    /*  41 */ "You both share a strong connection and can overcome your weaknesses and build up on your strengths.",
    /*  42 */ "This relationship has a lot to offer to both if you can overcome your differences and move ahead.",
    /*  43 */ "This is a very secure friendship where you both have the willpower to make it work.",
    /*  44 */ "You will have to overcome your differences for this relationship to become truly happening.",
    /*  45 */ "This can be a versatile friendship where you both believe in commitments and emotions",
    /*  46 */ "This is a competitive friendship where both of you are leaders and dominating but respect each other.",
    /*  47 */
    "This is a very optimistic relationship where both can gain from each other if they are understanding and open in "
    "their thinking",
    /*  48 */ "This is one of the most happening friendships that is full of energy, enthusiasm and excitement.",
    /*  49 */
    "Both of you are totally different who will have to understand each other to make this relationship work.",
    /*  50 */
    "This can be a great learning experience for both of you and you can both cooperate to get the best out of each "
    "other.",
    /*  51 */
    "Both of you are strong personalities who are individually different but can come together to have a dedicated "
    "relationship",
    /*  52 */ "This is a volatile and dynamic relationship that is full of fun and frolic",
    /*  53 */ "This can be a very supporting relationship if you understand how you both are alike on the inside",
    /*  54 */ "Your friendship is full of vigor and you can make a difference if you go on the right track.",
    /*  55 */ "You can learn a lot from each other if you are receptive to each other.",
    /*  56 */
    "This can be a devoted friendship provided you both understand the power and strength of your relationship.",
    /*  57 */ "This is a very practical relationship where both of can teach each other a lot and gain in the process.",
    /*  58 */ "You are both sincere and devoted to each other and this is a very stable and compatible relationship.",
    /*  59 */ "This is a practical and fun filled partnership where both of you share a high level of harmony",
    /*  60 */ "You both share a comfortable relationship of mutual respect and admiration",
    /*  61 */ "This can be a very satisfying partnership if you make the effort to help your friendship blossom.",
    /*  62 */ "You can learn a lot from each other if you are willing to and have a happy relationship.",
    /*  63 */ "This is a stable and balanced relationship where both of you admire each other's qualities.",
    /*  64 */
    "You both can bring out the best or the worst in each other and will need to work on your relationship if you want "
    "it to work out.",
    /*  65 */ "This is a good match. You both are well-balanced as both of you believe in commitment and loyalty.",
    /*  66 */
    "This can be a very respectable friendship where both of you are artistically inclined and understand each other's "
    "likes and dislikes over a period of time. ",
    /*  67 */
    "This is a very intellectual relationship where motivation can be the key to this being successful and mentally "
    "stimulating.",
    /*  68 */ "You both share a comfortable relationship of mutual respect and admiration.",
    /*  69 */ "This can be a delightful relationship that is both diplomatic and devoted.",
    /*  70 */ "This can be a very loyal relationship which can be both satisfying and exciting.",
    /*  71 */ "This is a very compatible relationship and you can both gain mutually from each other.",
    /*  72 */ "This relationship will succeed only if you decide on what you want from your friendship and move ahead.",
    /*  73 */ "You both share a great relationship since both of you hate rules and are creative by nature.",
    /*  74 */
    "This is a very harmonious relationship in which both of you are sincere to each other and full of energy.",
    /*  75 */
    "Since both of you have powerful personalities this relationship can be wonderful if you both work on it and do "
    "not fight.",
    /*  76 */
    "You can make this relationship work if you keep control over your strong personalities and work together as a "
    "team",
    /*  77 */ "You can make your differences work out for themselves and achieve your ultimate goals.",
    /*  78 */
    "Both of you are strong personalities who are individually different but can come together to have a dedicated "
    "relationship.",
    /*  79 */ "This can be a passionate relationship which can go to both extremes.",
    /*  80 */ "This friendship can be exciting if you take time to understand each other.",
    /*  81 */
    "You may take time to become friends but a strong bond will exist once you overcome the initial problems.",
    /*  82 */ "You both are opposites but this relationship can work only if you overcome your differences.",
    /*  83 */ "This can be a very good union if you give each other space and understand each other's nature.",
    /*  84 */ "This is a volatile and dynamic relationship that is full of fun and frolic.",
    /*  85 */ "This is an educational relationship where both of you love having debates on different issues.",
    /*  86 */ "You both may seem totally different but have a lot to gain from each other.",
    /*  87 */ "You both share a strong enthusiasm towards life and can be very resourceful",
    /*  88 */ "This may seem to be an unlikely friendship but both of fulfill each other's philosophical needs.",
    /*  89 */
    "This friendship can achieve a lot of goals even with different styles of working if you can overcome your "
    "differences.",
    /*  90 */
    "This is a very practical friendship where everything is logical and down to earth and you can help each other "
    "overcome your insecurities.",
    /*  91 */
    "This friendship will work if both you are able to overcome the exterior differences and understand the underlying "
    "meaning of your friendship",
    /*  92 */ "This can be a very supporting relationship if you understand how you both are alike on the inside.",
    /*  93 */
    "You both make a good pair and achieve a lot if you work towards the same goal. You both are organized and "
    "systematic in your approach towards life.",
    /*  94 */ "You both are opposites but can work in harmony with each other if you understand each other.",
    /*  95 */
    "This friendship is full of creativity and energy and you are always willing to try something new and adventurous.",
    /*  96 */ "You both share a strong enthusiasm towards life and can be very resourceful.",
    /*  97 */ "You are very progressive in thinking and can do a lot of good to the world if you work towards it.",
    /*  98 */ "You both can make this friendship work as you both are compassionate and understanding.",
    /*  99 */ "This is a compassionate relationship which needs to be very flexible if it has to succeed",
    /* 100 */ "This can be a versatile friendship where you both believe in commitments and emotions.",
    /* 101 */ "You both can make this friendship work as you both are compassionate and understanding",
    /* 102 */
    "This is a very sensitive and emotional relationship where both of you share a strong spiritual and mental "
    "understanding",
};

// The sentence number of each slot in use: one row per user's sign, one
// column per friend's sign, both in zodiac order.
constexpr std::array<std::uint8_t, RelationSlotsInUse> SentenceOfSlot = {
    1,  2,  3,  4,   5,  6,  7,  8,  9,  10, 11,  12,  // Aries
    13, 14, 15, 16,  17, 18, 19, 20, 21, 22, 23,  24,  // Taurus
    3,  25, 26, 27,  28, 29, 30, 31, 32, 33, 34,  35,  // Gemini
    36, 16, 27, 37,  38, 39, 40, 41, 42, 43, 44,  45,  // Cancer
    46, 17, 47, 38,  48, 49, 50, 51, 52, 53, 54,  55,  // Leo
    56, 57, 29, 58,  49, 59, 60, 61, 62, 63, 64,  65,  // Virgo
    7,  66, 67, 40,  50, 68, 69, 70, 71, 72, 73,  74,  // Libra
    75, 76, 77, 41,  78, 61, 70, 79, 80, 81, 82,  83,  // Scorpio
    9,  21, 32, 42,  84, 62, 71, 80, 85, 86, 87,  88,  // Sagittarius
    89, 90, 91, 43,  92, 63, 72, 81, 86, 93, 94,  94,  // Capricorn
    95, 23, 34, 44,  54, 64, 73, 82, 96, 94, 97,  98,  // Aquarius
    12, 24, 99, 100, 55, 65, 74, 83, 88, 94, 101, 102, // Pisces
};

// The two parallel lists of keys and texts; the last slot of each stays
// empty.
struct PairTable {
    std::array<std::string, RelationSlotCount> keys;
    std::array<std::string_view, RelationSlotCount> texts;
    std::array<int, RelationSlotCount> sentenceNumbers{};
};

PairTable buildPairTable()
{
    PairTable table;
    for (std::size_t slot = 0; slot < RelationSlotsInUse; ++slot) {
        const SunSign user = AllSigns[slot / SignCount];
        const SunSign friendSign = AllSigns[slot % SignCount];
        table.keys[slot] = std::string(signName(user)) + "-" + std::string(signName(friendSign));
        table.sentenceNumbers[slot] = SentenceOfSlot[slot];
        table.texts[slot] = Sentences[SentenceOfSlot[slot] - 1u];
    }
    return table;
}

const PairTable &pairTable()
{
    static const PairTable table = buildPairTable();
    return table;
}

} // namespace

std::optional<std::string_view> GetRelationCompatibility(std::string_view userSignName, std::string_view friendSignName)
{
    const std::string key = std::string(userSignName) + "-" + std::string(friendSignName);

    const PairTable &table = pairTable();
    const auto keysInUse = table.keys.begin() + RelationSlotsInUse;
    if (const auto found = std::find(table.keys.begin(), keysInUse, key); found != keysInUse)
        return table.texts[static_cast<std::size_t>(found - table.keys.begin())];
    return std::nullopt;
}

std::string_view relationKey(std::size_t slot)
{
    return slot < RelationSlotCount ? std::string_view(pairTable().keys[slot]) : std::string_view();
}

std::string_view relationText(std::size_t slot)
{
    return slot < RelationSlotCount ? pairTable().texts[slot] : std::string_view();
}

int relationSentenceNumber(std::size_t slot)
{
    return slot < RelationSlotCount ? pairTable().sentenceNumbers[slot] : 0;
}

std::string_view relationSentence(int number)
{
    if (number < 1 || number > RelationSentenceCount)
        return {};
    return Sentences[static_cast<std::size_t>(number - 1)];
}

} // namespace qx
