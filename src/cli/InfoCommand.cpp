// trovique-cli info: shows what a slide show file holds, as text or as JSON.

#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "core/codec/PalmTime.h"
#include "core/codec/Windows1252.h"
#include "core/common/TextEscaping.h"
#include "core/model/NodeLevel.h"
#include "core/slideshowfile/SlideShowReader.h"

namespace trovique::cli {
namespace {

constexpr const char* kUsage = "usage: trovique-cli info FILE [--json]\n";

// Text of a record on one line of the terminal: UTF-8, line breaks and other controls shown
// escaped, so a title cannot break the listing or steer the terminal.
std::string OneLine(const std::string& windows1252) {
    return OneLineText(Windows1252ToUtf8(windows1252), LineBreaks::kAsNewline);
}

std::string RecordJson(const std::string& windows1252) {
    return JsonString(Windows1252ToUtf8(windows1252));
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

// "2024-05-01 12:00:00", or empty for a time never set.
std::string DateText(std::uint32_t secondsSince1904) {
    if (secondsSince1904 == 0) {
        return {};
    }
    const LocalDateTime t = LocalDateTimeFromSecondsSince1904(secondsSince1904);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

const char* LeafKindName(const CLeaf& leaf) {
    switch (leaf.Kind()) {
        case LeafKind::Fact:
            return "FACT";
        case LeafKind::Bitmap:
            return "BITMAP";
        case LeafKind::QAF:
            break;
    }
    return "QAF";
}

std::string PictureText(const std::shared_ptr<CBitmap>& picture) {
    if (!picture) {
        return {};
    }
    return std::to_string(picture->Width()) + "x" + std::to_string(picture->Height()) + " " +
           (picture->GrayScaleExpanded() ? std::string("4 greys")
                                         : std::to_string(picture->NumColors()) + " colours");
}

std::string PictureJson(const std::shared_ptr<CBitmap>& picture) {
    if (!picture) {
        return "null";
    }
    return "{\"width\":" + std::to_string(picture->Width()) +
           ",\"height\":" + std::to_string(picture->Height()) + ",\"colors\":" +
           std::to_string(picture->GrayScaleExpanded() ? 4 : picture->NumColors()) +
           ",\"gray\":" + Bool(picture->GrayScaleExpanded()) + "}";
}

// Each item of the tree in the tree's own order with its depth below the root.
struct Item {
    int index;
    int depth;
};

std::vector<Item> ItemsInOrder(const CDocument& doc) {
    const CSlideShowTree& tree = doc.Tree();
    std::vector<Item> items;
    if (tree.GetNodeInfoIndexOfRoot() == 0) {
        return items;
    }
    // Preorder visits a parent before its children, so its depth is known when they come.
    std::unordered_map<int, int> depths;
    for (const int index : tree.Preorder(tree.GetNodeInfoIndexOfRoot())) {
        const auto parent = depths.find(tree.Parent(index));
        const int depth = parent == depths.end() ? 0 : parent->second + 1;
        depths[index] = depth;
        items.push_back({index, depth});
    }
    return items;
}

// ---- Text ----

void PrintHeader(const CDocument& doc, std::ostream& out) {
    const CDBHeader& header = doc.Properties().Header();
    out << "Name:      " << OneLine(header.DBName()) << "\n"
        << "Type:      " << OneLine(header.DBType()) << "\n"
        << "Creator:   " << OneLine(header.Creator()) << "\n"
        << "Created:   " << DateText(header.CreateSecs()) << "\n"
        << "Modified:  " << DateText(header.ModifySecs()) << "\n"
        << "Records:   " << header.NumRecords() << "\n"
        << "Slides:    " << doc.Tree().LeafCount() << "\n"
        << "Size:      " << doc.Tree().DBSize() << " bytes on the handheld (estimate)\n";
}

std::string RootDetails(const CDocument& doc, const CNode& root) {
    std::string text = std::string(doc.Properties().Structured() ? "structured" : "unstructured") +
                       (doc.Properties().Beamable() ? ", beamable" : "") +
                       (doc.Properties().Copyable() ? ", copyable" : "") +
                       (doc.Properties().Locked() ? ", locked" : "");
    text += "; label \"" + OneLine(root.ProgramIconName()) + "\"";
    text += ", splash text " + std::to_string(root.SplashComments().size());
    text += ", about text " + std::to_string(root.AboutComments().size());
    for (const auto& [name, picture] :
         {std::pair{"monochrome", &doc.Properties().MonochromeSplash()},
          std::pair{"colour", &doc.Properties().ColorSplash()}}) {
        if (picture->bitmap) {
            text += std::string(", ") + name + " splash " + PictureText(picture->bitmap);
        }
    }
    return text;
}

std::string LeafDetails(const CLeaf& leaf) {
    std::string text =
        std::string(leaf.Valid() ? "valid" : "invalid") + (leaf.Copyable() ? ", copyable" : "") +
        (leaf.Highlight() ? ", highlight" : "") + (leaf.PasswordProtect() ? ", protected" : "") +
        (leaf.ReEdit() ? ", re-edit" : "") + ", difficulty " + std::to_string(leaf.Difficulty());
    if (leaf.Kind() == LeafKind::QAF) {
        text += "; question " + std::to_string(leaf.Question().size()) + ", answers";
        for (int answer = 1; answer <= CLeaf::kNumAnswers; ++answer) {
            text += (answer == 1 ? " " : "/") + std::to_string(leaf.GetAnswer(answer).size());
        }
        text += ",";
    } else {
        text += ";";
    }
    text += " fact " + std::to_string(leaf.Fact().size()) + ", aux text " +
            std::to_string(leaf.AuxText().size());
    const std::pair<const char*, const std::shared_ptr<CBitmap>*> pictures[] = {
        {"colour", &leaf.ColorBitmap()},
        {"monochrome", &leaf.MonochromeBitmap()},
        {"second colour", &leaf.AuxColorBitmap()},
        {"second monochrome", &leaf.AuxMonochromeBitmap()},
    };
    for (const auto& [name, picture] : pictures) {
        if (*picture) {
            text += std::string("; ") + name + " " + PictureText(*picture);
        }
    }
    return text;
}

void PrintTree(const CDocument& doc, std::ostream& out) {
    for (const Item& item : ItemsInOrder(doc)) {
        const CGenElemInfo& entry = doc.Tree().Entry(item.index);
        out << std::string(static_cast<std::size_t>(item.depth) * 2, ' ');
        if (entry.IsLeaf()) {
            out << LeafKindName(*entry.Leaf) << " page " << entry.Leaf->LPI() << " \""
                << OneLine(entry.Title()) << "\" [" << LeafDetails(*entry.Leaf) << "]\n";
            continue;
        }
        const std::string level(NodeLevelName(doc.Tree().Level(item.index)));
        out << (level.empty() ? "Level " + std::to_string(doc.Tree().Level(item.index)) : level)
            << " \"" << OneLine(entry.Title()) << "\" ["
            << (entry.Node->Valid() ? "valid" : "invalid")
            << (doc.Tree().IsExpanded(item.index) ? ", expanded" : ", collapsed");
        if (entry.ElemType == ElementKind::Root) {
            out << ", " << RootDetails(doc, *entry.Node);
        }
        out << "]\n";
    }
}

// ---- JSON ----

std::string HeaderJson(const CDocument& doc) {
    const CDBHeader& header = doc.Properties().Header();
    const auto date = [](std::uint32_t seconds) {
        const std::string text = DateText(seconds);
        return text.empty() ? std::string("null") : "\"" + text + "\"";
    };
    return "{\"name\":" + RecordJson(header.DBName()) + ",\"type\":" + RecordJson(header.DBType()) +
           ",\"creator\":" + RecordJson(header.Creator()) +
           ",\"attributes\":" + std::to_string(header.Attributes()) +
           ",\"version\":" + std::to_string(header.Version()) +
           ",\"created\":" + date(header.CreateSecs()) +
           ",\"modified\":" + date(header.ModifySecs()) +
           ",\"records\":" + std::to_string(header.NumRecords()) + "}";
}

std::string SlideShowJson(const CDocument& doc) {
    return std::string("{\"structured\":") + Bool(doc.Properties().Structured()) +
           ",\"locked\":" + Bool(doc.Properties().Locked()) + ",\"switches\":[" +
           Bool(doc.Properties().Switch(0)) + "," + Bool(doc.Properties().Switch(1)) + "," +
           Bool(doc.Properties().Switch(2)) +
           "],\"slides\":" + std::to_string(doc.Tree().LeafCount()) +
           ",\"estimatedSize\":" + std::to_string(doc.Tree().DBSize()) +
           ",\"splash\":{\"monochrome\":" +
           PictureJson(doc.Properties().MonochromeSplash().bitmap) +
           ",\"color\":" + PictureJson(doc.Properties().ColorSplash().bitmap) + "}}";
}

std::string LeafJson(const CLeaf& leaf) {
    std::string json = std::string("\"leafKind\":\"") + LeafKindName(leaf) +
                       "\",\"page\":" + std::to_string(leaf.LPI()) +
                       ",\"flags\":{\"valid\":" + Bool(leaf.Valid()) +
                       ",\"copyable\":" + Bool(leaf.Copyable()) +
                       ",\"highlight\":" + Bool(leaf.Highlight()) +
                       ",\"passwordProtect\":" + Bool(leaf.PasswordProtect()) +
                       ",\"reEdit\":" + Bool(leaf.ReEdit()) +
                       ",\"difficulty\":" + std::to_string(leaf.Difficulty()) + "}";
    json += ",\"lengths\":{\"title\":" + std::to_string(leaf.Title().size()) +
            ",\"question\":" + std::to_string(leaf.Question().size()) + ",\"answers\":[";
    for (int answer = 1; answer <= CLeaf::kNumAnswers; ++answer) {
        json += (answer == 1 ? "" : ",") + std::to_string(leaf.GetAnswer(answer).size());
    }
    json += "],\"fact\":" + std::to_string(leaf.Fact().size()) +
            ",\"auxText\":" + std::to_string(leaf.AuxText().size()) + "}";
    json += ",\"pictures\":{\"color\":" + PictureJson(leaf.ColorBitmap()) +
            ",\"monochrome\":" + PictureJson(leaf.MonochromeBitmap()) +
            ",\"secondColor\":" + PictureJson(leaf.AuxColorBitmap()) +
            ",\"secondMonochrome\":" + PictureJson(leaf.AuxMonochromeBitmap()) + "}";
    return json;
}

std::string ItemJson(const CDocument& doc, int index) {
    const CGenElemInfo& entry = doc.Tree().Entry(index);
    const char* kind = entry.IsLeaf()                        ? "leaf"
                       : entry.ElemType == ElementKind::Root ? "root"
                                                             : "node";
    std::string json = std::string("{\"kind\":\"") + kind +
                       "\",\"index\":" + std::to_string(index) +
                       ",\"title\":" + RecordJson(entry.Title());
    if (entry.IsLeaf()) {
        return json + "," + LeafJson(*entry.Leaf) + "}";
    }
    json += ",\"level\":" + JsonString(NodeLevelName(doc.Tree().Level(index))) +
            ",\"levelNumber\":" + std::to_string(doc.Tree().Level(index)) +
            ",\"flags\":{\"valid\":" + Bool(entry.Node->Valid()) +
            ",\"expanded\":" + Bool(doc.Tree().IsExpanded(index)) + "}";
    if (entry.ElemType == ElementKind::Root) {
        const CNode& root = *entry.Node;
        json += ",\"label\":" + RecordJson(root.ProgramIconName()) +
                ",\"lengths\":{\"splashText\":" + std::to_string(root.SplashComments().size()) +
                ",\"aboutText\":" + std::to_string(root.AboutComments().size()) + "}";
    }
    return json + ",\"children\":[";
}

void PrintJson(const CDocument& doc, const std::string& path, std::ostream& out) {
    out << "{\"file\":" << JsonString(path) << ",\"header\":" << HeaderJson(doc)
        << ",\"slideShow\":" << SlideShowJson(doc) << ",\"tree\":";
    const std::vector<Item> items = ItemsInOrder(doc);
    if (items.empty()) {
        out << "null";
    }
    // Nodes stay open until the walk climbs back above them.
    std::vector<int> open;
    int previousDepth = -1;
    for (const Item& item : items) {
        while (static_cast<int>(open.size()) > item.depth) {
            out << "]}";
            open.pop_back();
        }
        if (item.depth <= previousDepth) {
            out << ",";
        }
        out << ItemJson(doc, item.index);
        if (!doc.Tree().Entry(item.index).IsLeaf()) {
            open.push_back(item.index);
        }
        previousDepth = item.depth;
    }
    for (std::size_t i = 0; i < open.size(); ++i) {
        out << "]}";
    }
    out << "}\n";
}

int Run(const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> files;
    for (const auto& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg.front() == '-') {
            std::cerr << "trovique-cli info: unknown option '" << arg << "'\n" << kUsage;
            return kExitUsage;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    CCliContext context;
    auto doc = context.NewDocument();
    if (!Read(*doc, files.front(), false)) {
        return kExitFailure;
    }
    if (json) {
        PrintJson(*doc, files.front(), std::cout);
    } else {
        PrintHeader(*doc, std::cout);
        std::cout << "\n";
        PrintTree(*doc, std::cout);
    }
    return kExitOk;
}

const CommandRegistration registration{Command{
    "info",
    "info FILE [--json]",
    "show a slide show file's header and tree: each item's kind, level, title, page, flags, "
    "text lengths and pictures",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
