#pragma once

#include <random>
#include <string>

#include "core/editor/Document.h"
#include "core/editor/EditorPictures.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"

namespace trovique::test {

// A long run of what an author does to a slide show, each step on a random item: add, delete,
// cut, copy, paste, move, indent, rename, undo, redo, conversions, pictures and copy marking,
// and now and then the slide show read back from its saved file or emptied. Deletions must be
// confirmed beforehand (the "DeleteNode" memory), as a user who ticked the box would have.
class RandomEditRun {
public:
    RandomEditRun(CDocument& doc, unsigned seed)
        : doc_(doc),
          random_(seed),
          color_(files_.Write("color", ColorImage(160, 120))),
          mono_(files_.Write("mono", MonochromeImage(160, 120))),
          splash_(files_.Write("splash", MonochromeImage(128, 60))),
          saved_(files_.Folder() / "run.sdb") {}

    // One step; returns what it did, for the failure message.
    std::string Step() {
        CSlideShowTree& tree = doc_.Tree();
        const auto live = tree.Preorder(tree.GetNodeInfoIndexOfRoot());
        const int item = live[random_() % live.size()];
        tree.Select(item);
        const auto operation = random_() % 17;
        const std::string done =
            "operation " + std::to_string(operation) + " on " + std::to_string(item);
        const bool isLeaf = tree.Entry(item).IsLeaf();
        switch (operation) {
            case 0:
                doc_.Delete(item);
                break;
            case 1:
                doc_.CopyNode(item);
                break;
            case 2:
                doc_.PasteNode(item);
                break;
            case 3:
                doc_.MoveNode(static_cast<MoveDirection>(random_() % 4));
                break;
            case 4:
                doc_.Undo();
                break;
            case 5:
                doc_.Redo();
                break;
            case 6:
                tree.Select(item);
                doc_.AddQAF();
                break;
            case 7:
                doc_.ConvertSelectedLeaf(kKinds[random_() % 3]);
                break;
            case 8:
                if (isLeaf) {
                    const bool asColor = random_() % 2 == 0;
                    doc_.SetLeafPicture(item, asColor, asColor ? color_ : mono_);
                }
                break;
            case 9:
                if (isLeaf) {
                    const auto action = random_() % 3;
                    if (action == 2) {
                        doc_.MonochromeFromColor(item);
                    } else {
                        doc_.ClearLeafPicture(item, action == 0);
                    }
                }
                break;
            case 10:
                if (random_() % 2 == 0) {
                    doc_.SetSplashPicture(splash_);
                } else {
                    doc_.ClearSplashPictures();
                }
                break;
            case 11:
                if (random_() % 2 == 0) {
                    doc_.MarkLeavesCopyEnabled(random_() % 2 == 0);
                } else {
                    doc_.ConvertAllLeaves(kKinds[random_() % 3]);
                }
                break;
            case 12:
                doc_.CutNode(item);
                break;
            case 13:
                doc_.Indent(random_() % 2 == 0 ? IndentScope::Item : IndentScope::Children);
                break;
            case 14:
                Rename(item);
                break;
            case 15:
                if (random_() % 3 == 0 && Save(doc_, saved_)) {
                    Read(doc_, saved_, true);
                } else {
                    AddNode(item);
                }
                break;
            default:
                if (random_() % 5 == 0) {
                    doc_.ClearTree();
                    doc_.AddGenNode(ElementKind::Root, {}, nullptr, 0, Relationship::Child,
                                    AddOptions::None);
                }
                AddNode(tree.GetNodeInfoIndexOfRoot());
                break;
        }
        return done;
    }

private:
    static constexpr LeafKind kKinds[] = {LeafKind::QAF, LeafKind::Bitmap, LeafKind::Fact};

    // A node where the menu offers one: under a node above the last level.
    void AddNode(int item) {
        const int level = doc_.Tree().Level(item);
        doc_.Tree().Select(level >= 11 && level < 15 ? item : doc_.Tree().GetNodeInfoIndexOfRoot());
        doc_.AddNode();
    }

    void Rename(int item) {
        const CGenElemInfo& entry = doc_.Tree().Entry(item);
        const TextField field = entry.IsLeaf()                        ? TextField::LeafTitle
                                : entry.ElemType == ElementKind::Node ? TextField::NodeTitle
                                                                      : TextField::SlideShowTitle;
        doc_.SetFieldText(item, field, "Title " + std::to_string(++renamed_));
    }

    CDocument& doc_;
    std::mt19937 random_;
    PictureFiles files_;
    std::filesystem::path color_;
    std::filesystem::path mono_;
    std::filesystem::path splash_;
    std::filesystem::path saved_;
    int renamed_ = 0;
};

}  // namespace trovique::test
