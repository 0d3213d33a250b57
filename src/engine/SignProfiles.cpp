#include "engine/SignProfiles.h"

#include <string_view>

namespace qx {

namespace {

// Each profile is one paragraph of plain printable ASCII; the text boxes of the
// results window do the wrapping. The long literals are split only for reading:
// adjacent pieces join without anything in between. Where a piece ends in a
// blank, that blank belongs to the text (Aries, Gemini and Cancer keep one
// trailing blank after their last sentence).

constexpr std::string_view AriesProfile =
    "Friendship with an Arian can be a sweet-n-sour experience for some people. It is "
    "often a fleeting friendship, bright and lively while it lasts, but not always built "
    "to endure. Arians are hard-working, amicable and quick-witted, and they make friends "
    "very fast, so they usually have plenty of friends, admirers and lovers around them. "
    "On the other hand, they are also rather impatient by nature. An Arian gets irritated "
    "when a friend rejects his or her point of view, and tends to push the matter again "
    "and again. This goes on until there is a real clash of personalities, and at that "
    "point the Arian's patience will inevitably snap. ";

constexpr std::string_view TaurusProfile =
    "One cannot ask for a better friend than Taurus in one's lifetime. A Taurean works "
    "hard and is always happy to share the rewards of that hard work with the people "
    "closest to them. However, Taureans are slow to open up. They are cautious by nature "
    "and like to judge a person objectively before letting anyone into their inner "
    "circle. But once you have become a Taurean's friend, rest assured that he or she "
    "will never leave your side. They hate dishonesty and lying, and they expect the same "
    "simple honesty from you in return. For a Taurus, friendship is a test of time, and "
    "true friends are those who pass it. So be prepared to wait for the Taurean "
    "friendship to blossom.";

constexpr std::string_view GeminiProfile =
    "If you ever meet a person who can talk a dime a dozen in one minute and seems to "
    "dazzle you with things you have never heard before, chances are you have been "
    "attracted towards a Gemini! A Gemini must find you mentally stimulating to want your "
    "company, and even then their interest may not last very long. Once the novelty wears "
    "off, Geminis tend to drift off in search of new friends who can offer them fresh "
    "ideas, new places and lively conversation. Still, a Gemini friend is never boring. "
    "They are playful, witty and always full of surprises, and they can crack a joke even "
    "in the most sombre of moments, lifting the mood of everyone around them. Some people "
    "find them slightly crazy, and to be quite honest, most Geminis do not mind that "
    "label one little bit. Whether you see them as restless, flighty or simply full of "
    "life, everyone agrees they are extremely fun and exciting to be with! ";

constexpr std::string_view CancerProfile =
    "The best part to have a Cancerian as a friend is the chance to give delight to your "
    "taste buds!! Expect frequent invitations to dinner at their own place, where the "
    "table is always laid with care. In return, Cancerians love to be praised for their "
    "home, its decoration and, above all, their cooking, so do not hold back your "
    "compliments. They are loyal friends and will stand by you for years, unless you "
    "betray them; then the door may close for good. Cancerians are super emotional and "
    "can be moody at times, but they are also deeply supportive and will be the first to "
    "comfort you when things go wrong. They like familiar surroundings and are happiest "
    "at home, tending their garden or looking through old photographs with a touch of "
    "nostalgia. Going out is not really their cup of tea, and they would rather have you "
    "over than meet at a busy place in town. However, they don't mind to set out for "
    "dinner or a movie occasionally. ";

constexpr std::string_view LeoProfile =
    "These people are in an elated mood when they are in the company of others, as they "
    "love to hog the limelight in any crowd. Leos have many friends, and they are usually "
    "held in high esteem by all of them. They are competitive by nature, though. A Leo "
    "will gladly help you succeed, but only until the day you begin to outshine him or "
    "her. As long as you are happy to play the underdog, you will find the Leo a loyal "
    "and protective friend who always stands up for you in public. To their credit, Leos "
    "do not discriminate between people; rich or poor, famous or unknown, everyone is "
    "welcome in their circle. They are also big-hearted and love to treat their friends "
    "to lavish dinners and outings. In return, they expect a few words of thanks and some "
    "admiration for their kindness. Never take their favours for granted. A friend who "
    "does not appreciate their generosity may not get the chance to show it later.";

// The Virgo profile is kept in two pieces that are shown back to back,
// with no blank between the period of the first and the "But" of the second.
constexpr std::string_view VirgoProfileFirstPiece =
    "The Virgo male / female is one of the most reliable friends and can be your "
    "\"walking-talking\" organizer, a friend who sees to all the last-minute details that "
    "you are likely to forget, from tickets and passports to timetables. This makes the "
    "Virgo an excellent travel companion, since nothing is left to chance on a trip. "
    "Virgos are fastidious, though, and they will not hesitate to give you advice on how "
    "much you are drinking, what you should have for dinner and why you must cut down on "
    "junk food. At times this care can feel a bit too much, and you may be tempted to "
    "protest against the Virgo becoming excessively interfering.";

constexpr std::string_view VirgoProfileSecondPiece =
    "But you keep silent upon realizing that it is all for your own good. A Virgo is a "
    "staunch supporter who stands by you through thick and thin. Whenever you need help, "
    "your Virgo friend turns up at your door without having to be asked twice. They think "
    "on their feet and always seem to find a sensible way out of even the tightest of "
    "spots. Too much emotion, however, embarrasses them, so please do not expect tearful "
    "hugs or grand speeches from a Virgo. Virgos are practical people who help you sail "
    "through a crisis.";

constexpr std::string_view LibraProfile =
    "Libra is a great friend to make, and they can be real charmers, my friend! A Libran "
    "has a way of carrying you through your bad moods with a kind word, a warm smile and "
    "a bit of gentle humour. On the flip side, they are also known to keep you waiting. "
    "Librans find it hard to make up their minds, weigh every option twice, and are "
    "hardly ever on time. Of all the signs, Libra is the one most eager to make friends, "
    "as Librans simply hate being alone. Company is what keeps them going. As a result, "
    "they can demand a great deal of your time and attention, and they may feel hurt if "
    "you cannot give it. The rewards are worth it, though. With their flair for style and "
    "their wide circle of acquaintances, a Libran friend can get you into the swankiest "
    "clubs in town. And they just love to go on an adventure trip with you.";

constexpr std::string_view ScorpioProfile =
    "Your relationship with a Scorpio will always turn out to be fifty-fifty situation - "
    "they will either be your best friend or your worst enemy. There is rarely any middle "
    "ground with them. So never insult a Scorpio or get into a quarrel with one, because "
    "they do not forget easily and can hold a grudge for years. Scorpios are slow to open "
    "up to new people. They watch and test you quietly before letting you come closer. "
    "But once they accept you as a friend, they stay loyal for life and will defend you "
    "fiercely. There is also something mysterious about a Scorpio. They are hard to "
    "fathom, and even old friends may feel they know only a part of them. Scorpios keep "
    "only a few friends and are very selective about whom they let into their lives, but "
    "they do cling on real tight to the ones they know.";

constexpr std::string_view SagittariusProfile =
    "For the Sagittarian, friendship is a stimulating experience. Sagittarians want to "
    "know as many people as possible, because every new person is a chance to gain "
    "knowledge and learn something about the world. They make friends very fast, drawing "
    "people in with their sharp intellect and their love of adventure. Full of energy, a "
    "Sagittarian is often the life of the class or of any group he or she joins. You can "
    "talk to them on almost any topic under the sun, from philosophy and politics to "
    "sports and travel, and they will hold up their end of the conversation. They can be "
    "whimsical, though, and they expect their friends to drop everything and rush off "
    "with them on their latest adventure. If you cannot keep up, they may simply go ahead "
    "without you. In return, a Sagittarian friend is at your beck and call at any hour of "
    "the day or night. On the whole, Sagittarians are your friends for life!";

constexpr std::string_view CapricornProfile =
    "In the realm of friendship, a Capricorn needs to be convinced that you are "
    "worthwhile to him before the person extends to you a hand of friendship. Capricorns "
    "have great admiration for people who have made it in life through sheer hard work, "
    "and they respect effort more than luck. Once they take you in, they are loyal "
    "friends who stand firmly by you. They love to plan and organise things; if you go on "
    "a trip together, expect your Capricorn friend to draw up the whole itinerary, down "
    "to the very last stop. They also like refined manners, good taste and proper "
    "etiquette, and they appreciate friends who behave with grace in company. However, "
    "always be careful not to break their trust, for they really take a long time to "
    "recover.";

constexpr std::string_view AquariusProfile =
    "An Aquarian can make friends with almost everyone with ease. Yet even with so many "
    "friends around, an Aquarian rarely shows the true self and keeps a part of his or "
    "her personality hidden from the world. When you are feeling low, an Aquarian friend "
    "knows how to lift your spirits, perhaps by taking you out to dinner or surprising "
    "you with a small but thoughtful gift. They are generous people at heart and will go "
    "out of their way to help any friend in need, whatever the hour. What an Aquarian "
    "fears most is losing his or her freedom. If a friend starts to become too clingy or "
    "possessive, the Aquarian feels trapped and will quietly leave such a friendship "
    "behind. For an Aquarian, the best friend is one who stands at the same intellectual "
    "plane.";

constexpr std::string_view PiscesProfile =
    "As a friend, Pisceans are very caring. They are patient listeners who will hear out "
    "your troubles for hours and gently wipe your tears when you are down. Pisceans are "
    "deeply emotional people, though, and they get hurt easily, often by a careless word "
    "or gesture that others would never even notice. When that happens, they withdraw "
    "into a world of their own and may need some time alone before they feel ready to "
    "come back to you again. They love surprises, both giving and receiving them, and a "
    "Piscean friend will often turn up with a gift, big or small, just to see you smile. "
    "There is a guarantee though that the company of a Piscean pal would never be boring.";

// Fixed lengths of the texts, checked at compile time so that an edit that
// changes a profile by accident does not go unnoticed.
static_assert(AriesProfile.size() == 633);
static_assert(TaurusProfile.size() == 670);
static_assert(GeminiProfile.size() == 895);
static_assert(CancerProfile.size() == 931);
static_assert(LeoProfile.size() == 906);
static_assert(VirgoProfileFirstPiece.size() == 630);
static_assert(VirgoProfileSecondPiece.size() == 516);
static_assert(LibraProfile.size() == 818);
static_assert(ScorpioProfile.size() == 799);
static_assert(SagittariusProfile.size() == 898);
static_assert(CapricornProfile.size() == 735);
static_assert(AquariusProfile.size() == 750);
static_assert(PiscesProfile.size() == 664);

} // namespace

std::string GetSignProfile(SunSign sign)
{
    switch (sign) {
    case SunSign::Aries:
        return std::string(AriesProfile);
    case SunSign::Taurus:
        return std::string(TaurusProfile);
    case SunSign::Gemini:
        return std::string(GeminiProfile);
    case SunSign::Cancer:
        return std::string(CancerProfile);
    case SunSign::Leo:
        return std::string(LeoProfile);
    case SunSign::Virgo:
        return std::string(VirgoProfileFirstPiece) + std::string(VirgoProfileSecondPiece);
    case SunSign::Libra:
        return std::string(LibraProfile);
    case SunSign::Scorpio:
        return std::string(ScorpioProfile);
    case SunSign::Sagittarius:
        return std::string(SagittariusProfile);
    case SunSign::Capricorn:
        return std::string(CapricornProfile);
    case SunSign::Aquarius:
        return std::string(AquariusProfile);
    case SunSign::Pisces:
        return std::string(PiscesProfile);
    }
    return {};
}

} // namespace qx
