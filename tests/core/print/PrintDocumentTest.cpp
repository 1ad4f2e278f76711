#include "core/print/PrintDocument.h"

#include <gtest/gtest.h>

#include "PrintFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

class PrintDocumentTest : public test::PrintTestBase {
protected:
    PrintDocumentTest() { printer.ui = &Ui(); }
    // The dialog as a user fills it: the boxes, then OK or Cancel.
    PrintOptionsDialog Dialog(bool header, bool toFile, int button) {
        return [=](CPrintOptions& options) {
            options.SetHeaderInfo(header);
            options.SetToFile(toFile);
            options.DoAction(button);
        };
    }
    test::RecordingPrinter printer;
    test::ScratchDir dir;
};

TEST_F(PrintDocumentTest, SendsTheReportWhereTheUserChose) {
    struct Case {
        const char* name;
        bool showOptions;
        bool toFile;
        int button;
        std::string file;  // answered in the Print To dialog
        bool printed;      // to the printer, or as a PDF
        bool result;
    };
    const Case cases[] = {
        {"straight to the printer", false, false, 0, "", true, true},
        {"dialog, printer", true, false, CPrintOptions::kActionOK, "", true, true},
        {"dialog cancelled", true, false, CPrintOptions::kActionCancel, "", false, false},
        {"file dialog cancelled", true, true, CPrintOptions::kActionOK, "", false, false},
        {"to a PDF", true, true, CPrintOptions::kActionOK, "out.PDF", true, true},
        {"to RTF", true, true, CPrintOptions::kActionOK, "out", false, true},
    };
    for (const Case& c : cases) {
        printer.printed.clear();
        AddLeaf({"Leaf"});
        if (c.toFile && c.button == CPrintOptions::kActionOK) {
            Ui().QueueFileName(c.file.empty() ? "" : (dir / c.file).string());
        }
        EXPECT_EQ(PrintDocument(*doc, c.showOptions, printer, Dialog(true, c.toFile, c.button)),
                  c.result)
            << c.name;
        EXPECT_EQ(printer.printed.size(), c.printed ? 1u : 0u) << c.name;
        EXPECT_EQ(Ui().StatusText(), "") << c.name;
        EXPECT_EQ(Ui().StatusPercentage(), "") << c.name;
    }
    EXPECT_EQ(printer.statusWhilePrinting.front(), "Sending print data to printer...");
    EXPECT_EQ(Ui().FileDialogs().back().kind, FileDialogKind::PrintTo);
    EXPECT_EQ(printer.pdfs, (std::vector{dir / "out.PDF"}));
    // A name without extension gets ".rtf".
    EXPECT_EQ(test::ReadAllBytes(dir / "out.rtf").at(0), '{');
}

TEST_F(PrintDocumentTest, FailuresAreReportedAndAnExistingFileSurvivesThem) {
    printer.missing = true;
    EXPECT_FALSE(PrintDocument(*doc, false, printer, {}));
    EXPECT_EQ(Ui().MessageTexts(),
              std::vector<std::string>{std::string("An error has occurred: ") + kNoPrinterText});
    // A folder where the file should go cannot be replaced: reported, and the folder stays.
    std::filesystem::create_directory(dir / "taken.rtf");
    EXPECT_FALSE(PrintLeaves(*doc, {}, true, (dir / "taken.rtf").string(), printer));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.rtf"));
    EXPECT_EQ(Ui().Messages().size(), 2u);
    // An existing file is replaced.
    test::WriteAllBytes(dir / "old.rtf", std::vector<unsigned char>(100000, 'o'));
    EXPECT_TRUE(PrintLeaves(*doc, {}, true, (dir / "old.rtf").string(), printer));
    const auto bytes = test::ReadAllBytes(dir / "old.rtf");
    EXPECT_LT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "{\\rtf1");
}

}  // namespace
}  // namespace trovique
