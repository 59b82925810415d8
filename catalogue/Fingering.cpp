#include "catalogue/Fingering.h"

#include <algorithm>

namespace catalogue {

HandShape handShape(const FretPattern& frets)
{
    HandShape hand;
    int fretted = 0;
    for (int f : frets) {
        if (f <= 0)
            continue;
        hand.lowest = fretted ? std::min(hand.lowest, f) : f;
        hand.highest = std::max(hand.highest, f);
        ++fretted;
    }
    if (!fretted)
        return hand;

    // Index: the strings at the lowest fret, split into groups wherever a
    // sounding open string lies between them; the barre takes the largest
    // group, the others need a finger each.
    int atLowest = 0;
    int group = 0;
    for (int f : frets) {
        if (f == 0) {
            group = 0;
        } else if (f == hand.lowest) {
            ++atLowest;
            hand.barreStrings = std::max(hand.barreStrings, ++group);
        }
    }
    hand.fingers = 1 + (atLowest - hand.barreStrings);
    if (hand.highest == hand.lowest)
        return hand;

    // Flat finger: the longest run of adjacent strings at the highest fret.
    int atHighest = 0;
    int run = 0;
    for (int f : frets) {
        if (f == hand.highest) {
            ++atHighest;
            hand.flatStrings = std::max(hand.flatStrings, ++run);
        } else {
            run = 0;
        }
    }
    int between = fretted - atLowest - atHighest;
    hand.fingers += between + atHighest - (hand.flatStrings - 1);
    return hand;
}

std::string playabilityProblem(const FretPattern& frets)
{
    int sounding = 0;
    for (int f : frets) {
        if (f < kMuted || f > kHighestFret)
            return "fret out of range";
        sounding += f != kMuted;
    }
    if (sounding < kMinSoundingStrings)
        return "fewer than three strings sound";
    if (frets[2] == kMuted)
        return "string 3 does not sound";
    auto hand = handShape(frets);
    if (hand.highest - hand.lowest >= kMaxFretsSpanned)
        return "fretted strings span more than six frets";
    if (hand.fingers > kFingers)
        return "needs " + std::to_string(hand.fingers) + " fingers";
    return {};
}

} // namespace catalogue
