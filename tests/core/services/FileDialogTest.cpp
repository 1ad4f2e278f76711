#include "core/services/FileDialog.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/services/MemorySettingsStore.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::CScriptedUserInterface;

const FileFilter kWorking{"Trovique files (*.sdb)", {"*.sdb"}};
const FileFilter kPalm{"Trovique for Palm files (*.pdb)", {"*.pdb"}};
const FileFilter kBitmaps{"Bitmap Files (*.bmp)", {"*.bmp"}};
const FileFilter kAll{"All Files (*.*)", {"*.*"}};

struct KindCase {
    FileDialogKind kind;
    const char* title;
    const char* extension;
    bool save;
    std::vector<FileFilter> filters;
};

class DescribeFileDialogTest : public testing::TestWithParam<KindCase> {};

TEST_P(DescribeFileDialogTest, TitleExtensionFiltersAndReplaceRule) {
    const KindCase& c = GetParam();
    const FileDialogSpec spec = DescribeFileDialog(c.kind, "/data/");
    EXPECT_EQ(spec.kind, c.kind);
    EXPECT_EQ(spec.title, c.title);
    EXPECT_EQ(FileDialogTitle(c.kind), spec.title);
    EXPECT_EQ(spec.defaultExtension, c.extension);
    EXPECT_EQ(spec.save, c.save);
    EXPECT_EQ(spec.askReplace, c.save) << "the writing kinds ask before replacing";
    EXPECT_EQ(spec.filters, c.filters);
    EXPECT_EQ(spec.initial, "/data/");

    const FileFilter extra{"Old shows (*.old)", {"*.old"}};
    const FileDialogSpec withExtra = DescribeFileDialog(c.kind, "", {extra});
    ASSERT_EQ(withExtra.filters.size(), c.filters.size() + 1);
    EXPECT_EQ(withExtra.filters.front(), extra) << "extra filters come first";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DescribeFileDialogTest,
    testing::Values(
        KindCase{FileDialogKind::Open, "Open", "sdb", false, {kWorking}},
        KindCase{FileDialogKind::SaveAs, "Save As", "sdb", true, {kWorking}},
        KindCase{FileDialogKind::Import, "Import", "pdb", false, {kPalm}},
        KindCase{FileDialogKind::Export, "Export", "pdb", true, {kPalm}},
        KindCase{FileDialogKind::ColorBitmap, "Open Color Bitmap", "bmp", false, {kBitmaps}},
        KindCase{
            FileDialogKind::MonochromeBitmap, "Open Monochrome Bitmap", "bmp", false, {kBitmaps}},
        KindCase{FileDialogKind::Bitmap, "Open Bitmap", "bmp", false, {kBitmaps}},
        KindCase{FileDialogKind::ImportText,
                 "Open Import File",
                 "txt",
                 false,
                 {{"Text Files (*.txt)", {"*.txt"}}, kAll}},
        KindCase{FileDialogKind::ImportSpreadsheet,
                 "Open Import File",
                 "xls",
                 false,
                 {{"Excel Files (*.xls)", {"*.xls"}}, kAll}},
        KindCase{FileDialogKind::PowerPoint,
                 "Open PowerPoint File",
                 "ppt",
                 false,
                 {{"Presentations (*.pptx;*.ppt;*.pps;*.odp;*.fodp;*.key)",
                   {"*.pptx", "*.ppt", "*.pps", "*.odp", "*.fodp", "*.key"}},
                  {"PowerPoint Files (*.ppt)", {"*.ppt"}},
                  kAll}},
        KindCase{FileDialogKind::PrintTo,
                 "Print To",
                 "rtf",
                 true,
                 {{"RTF Files (*.rtf)", {"*.rtf"}}, {"PDF Files (*.pdf)", {"*.pdf"}}, kAll}}));

TEST(FileDialogStartTest, FolderOrFileWithItsFolder) {
    const test::ScratchDir scratch;
    const std::string existingFolder = scratch.Path().string();  // no trailing separator
    const struct {
        std::string initial;
        FileDialogStart expected;
    } cases[] = {
        {"/data/", {"/data/", ""}},
        {"/data/Talk.pdb", {"/data/", "Talk.pdb"}},
        {"Talk.pdb", {"", "Talk.pdb"}},
        {"", {"", ""}},
        {existingFolder, {existingFolder, ""}},
    };
    for (const auto& c : cases) {
        const FileDialogStart start =
            StartOf(DescribeFileDialog(FileDialogKind::SaveAs, c.initial));
        EXPECT_EQ(start.folder, c.expected.folder) << c.initial;
        EXPECT_EQ(start.fileName, c.expected.fileName) << c.initial;
    }
}

class GetFileNameTest : public testing::Test {
protected:
    std::string Existing(const std::string& name) {
        const auto path = scratch / name;
        std::ofstream(path) << "x";
        return path.string();
    }

    test::ScratchDir scratch;
    MemorySettingsStore store;
    CScriptedUserInterface ui;
    CServices services{store, ui};
};

TEST_F(GetFileNameTest, DefaultExtensionIsAppendedUnlessTheNameHasOneTheDialogKnows) {
    const std::string existingDeck = Existing("talk.odp.bak");
    const struct {
        FileDialogKind kind;
        std::string typed;
        std::string expected;
    } cases[] = {
        {FileDialogKind::SaveAs, "/out/show", "/out/show.sdb"},
        {FileDialogKind::SaveAs, "/out/show.SDB", "/out/show.SDB"},
        {FileDialogKind::SaveAs, "/out/show.pdb", "/out/show.pdb.sdb"},
        {FileDialogKind::PowerPoint, "/in/talk.pptx", "/in/talk.pptx"},
        {FileDialogKind::PowerPoint, "/in/talk", "/in/talk.ppt"},
        {FileDialogKind::PowerPoint, existingDeck, existingDeck},  // opened as named
        {FileDialogKind::ImportText, "/in/notes", "/in/notes.txt"},
        {FileDialogKind::Export, "", ""},  // cancelled
    };
    for (const auto& c : cases) {
        ui.QueueFileName(c.typed);
        EXPECT_EQ(GetFileName(services, DescribeFileDialog(c.kind, "/")), c.expected) << c.typed;
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(GetFileNameTest, AnExistingFileAsksBeforeReplacingAndNoShowsTheDialogAgain) {
    const std::string taken = Existing("show.pdb");
    ui.QueueFileName(taken);
    ui.QueueAnswer(MessageAnswer::No);
    ui.QueueFileName(taken);
    ui.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(GetFileName(services, DescribeFileDialog(FileDialogKind::Export, "/x/")), taken);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].text,
              taken + "\r\nThis file already exists.\r\n\r\nReplace existing file?");
    EXPECT_EQ(ui.Messages()[0].style.WindowsValue(), 52);
    ASSERT_EQ(ui.FileDialogs().size(), 2u);
    EXPECT_EQ(ui.FileDialogs()[0].initial, "/x/");
    EXPECT_EQ(ui.FileDialogs()[1].initial, taken) << "shown again at the refused file";

    // Opening dialogs never ask, and neither does a new name.
    ui.QueueFileName(taken);
    EXPECT_EQ(GetFileName(services, DescribeFileDialog(FileDialogKind::Import, "/x/")), taken);
    ui.QueueFileName((scratch / "new.pdb").string());
    GetFileName(services, DescribeFileDialog(FileDialogKind::Export, "/x/"));
    EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(GetFileNameTest, BitmapDialogsRememberTheChosenFolder) {
    ui.QueueFileName("/pictures/slides/one.bmp");
    GetFileName(services, DescribeFileDialog(FileDialogKind::MonochromeBitmap, "/"));
    EXPECT_EQ(store.Get("Norvane Trovique", "Settings", "LastGraphicsPath"), "/pictures/slides/");
    ui.QueueFileName("/elsewhere/show.sdb");
    GetFileName(services, DescribeFileDialog(FileDialogKind::Open, "/"));
    EXPECT_EQ(store.Get("Norvane Trovique", "Settings", "LastGraphicsPath"), "/pictures/slides/");
    ui.QueueFileName("");
    GetFileName(services, DescribeFileDialog(FileDialogKind::ColorBitmap, ""));
    EXPECT_EQ(store.Get("Norvane Trovique", "Settings", "LastGraphicsPath"), "/pictures/slides/");
    EXPECT_EQ(ui.FileDialogs().back().initial, "/pictures/slides/") << "opens where it was left";
}

}  // namespace
}  // namespace trovique
