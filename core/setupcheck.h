#pragma once
// "Vérifier mon montage": the pupil's set-up against the one an exercise expects, and the ladder
// of hints that leads the pupil to it, one step further at each check, rather than giving the
// answer at once.

#include "core/elements.h"

#include <QString>

#include <optional>
#include <vector>

namespace alambix {

struct SetupDifference {
    std::vector<int> missing; // on in the expected set-up, off in the pupil's; ascending
    std::vector<int> extra;   // on in the pupil's set-up, off in the expected one; ascending

    bool isRight() const { return missing.empty() && extra.empty(); }
    // How many pieces the pupil has to review.
    int count() const { return int(missing.size() + extra.size()); }
};

SetupDifference compareSetups(const SetupValues& pupil, const SetupValues& expected);

// The rungs of the ladder, in the order a pupil climbs them.
enum class HintRung {
    HowMany = 1, // the set-up is wrong, and how many pieces are to review, naming none
    WhereToLook, // the role of each piece at fault
    WhichPieces, // the pieces missing and the pieces too many
    Correction,  // the pieces again, and the correction is offered
};

// The hint of `rung` for a wrong set-up.
QString setupHint(const SetupDifference& difference, HintRung rung);
// The greeting of a right set-up, naming it when it bears a name.
QString rightSetupText(const SetupValues& values);

// Where the pupil stands on the ladder. Each check of a wrong set-up goes one rung further, up
// to the correction; a right set-up takes the pupil back to the foot.
class HintLadder {
public:
    // Counts one more check: the rung of its hint, or nothing when the set-up is right.
    std::optional<HintRung> climb(bool right);
    // The checks counted so far.
    int checks() const { return m_checks; }

private:
    int m_checks = 0;
    int m_rung = 0; // the rung of the last hint; 0 at the foot
};

} // namespace alambix
