#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace qx {

// The pair table of modRelationCompatibility: one sentence for every ordered
// pair of signs (the user's sign first), stored in slots whose keys join the
// two sign names with a hyphen, "Leo-Pisces". Slot i holds the pair
// (sign i / 12, sign i % 12) in zodiac order. The table has one more slot
// than pairs; the last slot stays empty and is never searched.
inline constexpr std::size_t RelationSlotCount = 145;
inline constexpr std::size_t RelationSlotsInUse = 144;

// Sentences are numbered from 1; several pairs share one sentence.
inline constexpr int RelationSentenceCount = 102;

// The sentence for the two sign names as they stand in the report (either
// may be empty). The key is compared exactly, case included, with the keys
// of the slots in use, in slot order; nothing is found for an unknown key.
std::optional<std::string_view> GetRelationCompatibility(std::string_view userSignName,
                                                         std::string_view friendSignName);

// Read-only views of the table; an index out of range gives an empty text
// or sentence number 0, like the unused last slot.
std::string_view relationKey(std::size_t slot);
std::string_view relationText(std::size_t slot);
int relationSentenceNumber(std::size_t slot);
std::string_view relationSentence(int number);

} // namespace qx
