// The fixed texts of nuclida's window and its two dialogs, so the window and its tests use the
// same words.
#pragma once

#include <string_view>

namespace mca::editor_caption {

// Commands: button caption and menu item.
struct Command {
    std::string_view button;
    std::string_view menuItem;
};
inline constexpr Command kOpen{"&Open Lib.", "Open Library"};
inline constexpr Command kSave{"&Save Lib.", "Save Library"};
inline constexpr Command kAddLine{"Add Energy", "Add Energy to Displayed Isotope"};
inline constexpr Command kAddNuclide{"Add Isotope", "Add New Isotope"};
inline constexpr Command kDeleteLine{"Kill Energy", "Delete Selected Energy"};
inline constexpr Command kDeleteNuclide{"Kill Isotope", "Delete Entire Isotope"};
inline constexpr Command kClose{"&Close", "Exit"};
inline constexpr Command kAbout{"About", "About"};

inline constexpr std::string_view kFileMenu = "File";
inline constexpr std::string_view kUtilityMenu = "Utility";
inline constexpr std::string_view kHelpMenu = "Help";

// The main window's fields.
inline constexpr std::string_view kEnabled = "&Enabled";
inline constexpr std::string_view kDisabled = "&Disabled";
inline constexpr std::string_view kAllowNuclideEdit = "&Allow Edit of Nuclide Name and Half Life";
inline constexpr std::string_view kFileBeingEdited = "Library File Being Edited:";

// "Add Photon Energy Line".
inline constexpr std::string_view kAddLineTitle = "Add Photon Energy Line";
inline constexpr std::string_view kIsotope = "Isotope";
inline constexpr std::string_view kEnergy = "Energy (keV)";
inline constexpr std::string_view kYield = "Yield (%)";
inline constexpr std::string_view kComments = "Comments";
inline constexpr std::string_view kAddToLibrary = "Add to Library";
inline constexpr std::string_view kCancel = "&Cancel";

// "Add New Isotope to Library", with kEnergy, kYield and kComments.
inline constexpr std::string_view kAddNuclideTitle = "Add New Isotope to Library";
inline constexpr std::string_view kAbbreviation = "Isotope Abbreviation";
inline constexpr std::string_view kElementName = "Element Name";
inline constexpr std::string_view kHalfLife = "Half Life";
inline constexpr std::string_view kUnits = "Units";

}  // namespace mca::editor_caption
