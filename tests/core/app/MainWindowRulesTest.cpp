// The rules the main window follows: which commands need a slide show, the recent files, the
// classification of dropped files, the edit items and the toolbar's tooltips.
#include <gtest/gtest.h>

#include "core/app/Commands.h"
#include "core/app/DroppedFiles.h"
#include "core/app/MainMenu.h"
#include "core/app/RecentFiles.h"
#include "core/app/TextEditCommands.h"
#include "core/services/MemorySettingsStore.h"

namespace trovique {
namespace {

TEST(CommandTableTest, OnlyTheWaysInWorkWithoutASlideShow) {
    for (int command = 0; command <= 53; ++command) {
        const bool free = command == 0 || command == 1 || command == 18 || command == 19 ||
                          command == 21 || command == 22 || command == 47;
        EXPECT_EQ(CommandNeedsSlideShow(command), !free) << command;
    }
}

TEST(CommandTableTest, LeafKindsOfParameters) {
    EXPECT_EQ(LeafKindOfParameter("QAF"), LeafKind::QAF);
    EXPECT_EQ(LeafKindOfParameter("fact"), LeafKind::Fact);
    EXPECT_EQ(LeafKindOfParameter("BITMAP"), LeafKind::Bitmap);
    EXPECT_EQ(LeafKindOfParameter("TERM"), std::nullopt);
}

std::string Slot(const ISettingsStore& store, int i) {
    return store.GetOr("Norvane Trovique", "Recent Files", std::to_string(i), "");
}

TEST(RecentFilesTest, ReopeningMovesToTopAndASixthDropsTheOldest) {
    MemorySettingsStore store;
    CRecentFiles recent(store);
    for (const char* file : {"/a.sdb", "/b.sdb", "/c.sdb", "/d.sdb", "/e.sdb"}) {
        recent.Set(file);
    }
    recent.Set("/C.SDB");  // the third newest, in other letters
    EXPECT_EQ(recent.Files(),
              (CRecentFiles::Slots{"/C.SDB", "/e.sdb", "/d.sdb", "/b.sdb", "/a.sdb"}));
    recent.Set("/f.sdb");
    EXPECT_EQ(recent.Files(),
              (CRecentFiles::Slots{"/f.sdb", "/C.SDB", "/e.sdb", "/d.sdb", "/b.sdb"}));
    EXPECT_EQ(Slot(store, 1), "/f.sdb");
    EXPECT_EQ(Slot(store, 5), "/b.sdb");
    recent.Set("");
    EXPECT_EQ(CRecentFiles(store).Files(), recent.Files());
}

TEST(RecentFilesTest, CaptionsAndEmptySlots) {
    MemorySettingsStore store;
    CRecentFiles recent(store);
    EXPECT_FALSE(recent.AnyUsed());
    recent.Set("/x.sdb");
    EXPECT_TRUE(recent.AnyUsed());
    EXPECT_EQ(recent.Files()[1], "");
    EXPECT_EQ(RecentFileCaption(1, "/x.sdb"), "&1 /x.sdb");
}

TEST(DroppedFilesTest, ExtensionsDecideCaseIgnored) {
    const std::vector<std::pair<std::string, DropAction>> cases{
        {"/t/a.sdb", DropAction::Open},      {"/t/A.SDB", DropAction::Open},
        {"/t/b.pdb", DropAction::Import},    {"/t/b.Pdb", DropAction::Import},
        {"/t/c.txt", DropAction::Refuse},    {"/t/sdb", DropAction::Refuse},
        {"/t.sdb/noext", DropAction::Refuse}};
    for (const auto& [file, action] : cases) {
        EXPECT_EQ(ClassifyDroppedFile(file), action) << file;
    }
    EXPECT_EQ(UnrecognizedFileTypeText("/t/c.txt"),
              "Norvane Trovique does not recognize the file type for /t/c.txt.  This file will "
              "not be processed.");
}

TEST(TextEditItemsTest, EnablingFollowsTheFocusedControl) {
    EXPECT_EQ(EnableTextEditItems({}), TextEditItems{});
    FocusedTextControl box{.isTextBox = true,
                           .canUndo = true,
                           .clipboardHasText = true,
                           .isFactBox = true,
                           .selectionLength = 2,
                           .textLength = 5};
    EXPECT_EQ(EnableTextEditItems(box), (TextEditItems{true, true, true, true, true, true, true}));
    box.locked = true;
    EXPECT_EQ(EnableTextEditItems(box),
              (TextEditItems{false, false, true, false, false, true, false}));
    box.locked = false;
    box.selectionLength = 5;
    const TextEditItems all = EnableTextEditItems(box);
    EXPECT_FALSE(all.selectAll);
    box.selectionLength = 0;
    box.textLength = 0;
    const TextEditItems empty = EnableTextEditItems(box);
    EXPECT_FALSE(empty.cut || empty.copy || empty.remove || empty.selectAll);
    EXPECT_EQ(ImportedTextTruncatedText(10000),
              "The imported text is longer than the 10000 characters allowed and has been "
              "truncated.");
}

TEST(ToolbarTest, TooltipsAndGroup) {
    EXPECT_EQ(TooltipOfCaption("Cu&t Slide..."), "Cut Slide...");
    EXPECT_EQ(TooltipOfCaption("&Copy Leaf"), "Copy Leaf");
    EXPECT_EQ(TooltipOfCaption("A&&B"), "A&B");
    EXPECT_FALSE(ToolbarButtonNeedsSlideShow(1));
    EXPECT_FALSE(ToolbarButtonNeedsSlideShow(2));
    EXPECT_TRUE(ToolbarButtonNeedsSlideShow(3));
    EXPECT_FALSE(ToolbarButtonNeedsSlideShow(24));
    EXPECT_TRUE(ToolbarButtonNeedsSlideShow(25));
    EXPECT_EQ(ToolbarButtons().size(), 12u);
}

}  // namespace
}  // namespace trovique
