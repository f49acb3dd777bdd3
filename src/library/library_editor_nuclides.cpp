// The library editor's Add Isotope and Kill Isotope commands.
#include "library/library_editor.h"

#include "core/number_text.h"
#include "core/operator.h"
#include "library/library_edits.h"

#include <algorithm>

namespace mca {

namespace {

bool isPositiveNumber(const std::string& text) {
    const auto value = parseFloat(text);
    return value && *value > 0;
}

bool isComplete(const AddNuclideInput& in) {
    return !withoutBlanksAround(in.abbreviation).empty() && !in.element.empty() && isHalfLifeUnit(in.halfLifeUnit) &&
           isPositiveNumber(in.halfLife) && isPositiveNumber(in.energy) && isPositiveNumber(in.yield);
}

NewNuclide newNuclideFrom(const AddNuclideInput& in) {
    return {withUpperCaseFirstLetter(withoutBlanksAround(in.abbreviation)), in.element, withoutBlanksAround(in.halfLife),
            in.halfLifeUnit, withoutBlanksAround(in.energy), withoutBlanksAround(in.yield), in.comments};
}

}  // namespace

bool LibraryEditor::addNuclide(const AddNuclideInput& input) {
    if (!m_open) return false;
    if (!isComplete(input)) {
        m_op.message("Isotope Abbreviation, Element Name, Half Life (and Units), Energy and Yield must be filled out to "
                     "add to library!",
                     {}, MessageKind::Warning);
        return false;
    }
    const NewNuclide nuclide = newNuclideFrom(input);
    if (nameInUse(m_raw, nuclide.name)) {
        m_op.message("There is already an isotope with this abbreviation.  You should either change the isotope "
                     "abbreviation or edit the existing one.",
                     {}, MessageKind::Warning);
        return false;
    }
    const int row = insertNuclide(m_raw, nuclide);
    const std::vector<int> rows = nuclideRows();
    m_selected = static_cast<int>(std::find(rows.begin(), rows.end(), row) - rows.begin());
    m_modified = true;
    showNuclide();
    return true;
}

bool LibraryEditor::deleteNuclide() {
    const auto row = nuclideRow();
    if (!row) return false;
    const std::string question = "This will permanantly delete " + shownName() +
                                 " from the library, including all radiation data.  Are you sure you want to do this?";
    if (m_op.question(question, {}, kYesNo) != Answer::Yes) return false;
    eraseNuclide(m_raw, *row);
    const int remaining = static_cast<int>(nuclideRows().size());
    m_selected = std::min(m_selected, remaining - 1);
    m_modified = true;
    showNuclide();
    return true;
}

}  // namespace mca
