// An editor opened on a small library in a temporary Library folder, for the editor tests.
#pragma once

#include "library/library_editor.h"
#include "library/library_reader.h"
#include "library/library_samples.h"
#include "support/scripted_operator.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mca::testing {

// Three lines for Co-60 so that roles can move both ways.
inline const std::string kEditorLibrary =
    "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
    "Co-60,11,5.2711,years,Cobalt,0,0\r\n"
    "Co-60,1,\"\",1173.228,99.85,0,1\r\n"
    "Co-60,1,\"\",1332.492,99.9826,1,0\r\n"
    "Co-60,0,Sum peak,2505.7,0.000002,0,0\r\n"
    "Cs-137,11,30.090,years,Cesium,0,0\r\n"
    "Cs-137,1,\"From Ba-137m, in equilibrium\",661.657,84.99,1,1\r\n"
    "K-40,10,1.2493E+9,years,Potassium,0,0\r\n"
    "K-40,1,\"\",1460.822,10.66,1,1\r\n";

class LibraryEditorTest : public ::testing::Test {
protected:
    LibraryEditorTest() : editor(op, folder.path()) {
        file = folder.path() / "Test.lib";
        std::ofstream(file, std::ios::binary) << kEditorLibrary;
        editor.openFile(file);
    }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const LibraryRow& r : editor.rawTable()) out.push_back(r[library_column::kName]);
        return out;
    }
    std::vector<std::string> energies() const {
        std::vector<std::string> out;
        for (const LineTableRow& r : editor.lineTable()) out.push_back(r.energy);
        return out;
    }

    TempFolder folder;
    ScriptedOperator op;
    LibraryEditor editor;
    std::filesystem::path file;
};

}  // namespace mca::testing
