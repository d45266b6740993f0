#pragma once
// The program explains its rules: why a click took pieces away, why a button is greyed, which
// named set-up is the nearest and what makes a set-up bear its name.

#include "core/elements.h"
#include "core/switchoff.h"

#include <QString>

#include <vector>

namespace alambix {

// The reason for one switch-off, as one short French sentence naming the element removed.
QString switchOffReason(const SwitchOff& switchOff);
// The reasons for several switch-offs, one a line, each said once.
QString switchOffReasons(const std::vector<SwitchOff>& switchOffs);

// Why `element` is greyed in the set-up `values`; empty when the rules leave it clickable.
QString greyedReason(int element, const SetupValues& values);

struct NearestSetup {
    QString name;
    std::vector<int> clicks; // element indices, to click in this order
};

// The named set-ups that the fewest clicks allowed by the rules reach from `values` (a settled
// set-up, as the model holds it), each with one shortest click sequence; the set-up's own name
// with no click when it already has one. In the order a breadth-first search meets them.
std::vector<NearestSetup> nearestSetups(const SetupValues& values);

// Every set-up the clicks allowed by the rules reach from `values` (a settled set-up), `values`
// first, in the order a breadth-first search meets them: 114 from the empty set-up.
std::vector<SetupValues> reachableSetups(const SetupValues& values = SetupValues{});

// `values` after the model has taken `clicks` in order.
SetupValues afterClicks(const SetupValues& values, const std::vector<int>& clicks);

// The clicks in words, starting from `values`: "ajouter Thermomètre", "ajouter Ballon et
// chauffe ballon, puis Réfrigérant à boules", "retirer Bécher, puis ajouter Erlenmeyer".
QString describeClicks(const SetupValues& values, const std::vector<int>& clicks);

// The part a piece plays in a set-up: where a check of the set-up tells the pupil to look.
enum class SetupRole { Receiver, UpperPiece, Heating, Column, Thermometer, Chromatography };
SetupRole roleOf(int element);
// The role in a sentence: "le récipient qui recueille le produit", "le chauffage", ...
QString roleText(SetupRole role);
// The element in a sentence, with its article: "le Bécher", "la Fiole à vide".
QString elementInSentence(int element);
// A set-up's name in a sentence, with its article: "une distillation".
QString setupNameInSentence(const QString& name);

// The answer to "Que manque-t-il ?" for `values`.
QString missingText(const SetupValues& values);
// The answer to "Pourquoi ce nom ?": which pieces make the set-up its name; empty without one.
QString whyNameText(const SetupValues& values);

} // namespace alambix
