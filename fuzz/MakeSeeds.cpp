// Writes the seed corpus of every fuzz target, one folder per target, from the same fixture
// writers and record classes the tests use, so that fuzzing starts from well-formed input and
// the corpora need no binary files in the repository.
//
//   trovique_fuzz_seeds OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/common/MemoryFile.h"
#include "core/editor/Document.h"
#include "core/imaging/PalmBitmap.h"
#include "core/imaging/PalmPaletteFiles.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "platform/FixtureWriters.h"
#include "support/BitmapWriter.h"
#include "support/SlideShowFiles.h"

namespace trovique::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class CSeedWriter {
public:
    explicit CSeedWriter(fs::path root) : root_(std::move(root)) {}

    void Add(const std::string& target, const std::string& name, const Bytes& bytes) {
        const fs::path folder = root_ / target;
        fs::create_directories(folder);
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + (folder / name).string());
        }
    }
    void Add(const std::string& target, const std::string& name, const std::string& text) {
        Add(target, name, Bytes(text.begin(), text.end()));
    }

private:
    fs::path root_;
};

Bytes Prefixed(std::initializer_list<std::uint8_t> prefix, const Bytes& rest) {
    Bytes bytes(prefix);
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

Bytes FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A slide show with every kind of item, saved and exported by the program's own writer.
void AddSlideShows(CSeedWriter& seeds, const fs::path& scratch) {
    CQuietServices services;
    CDocument doc(services.Services(), Palettes());
    const int root = doc.Tree().GetNodeInfoIndexOfRoot();
    doc.Tree().Entry(root).SetTitle("Seed Show");
    doc.Tree().Entry(root).Node->SetSplashComments("Welcome\r\nto the show");
    const int topic = doc.AddGenNode(ElementKind::Node, "Animals", nullptr, root,
                                     Relationship::Child, AddOptions::None);
    const int qaf = doc.AddGenNode(ElementKind::Leaf, "Cats", nullptr, topic, Relationship::Child,
                                   AddOptions::None);
    CLeaf& cats = *doc.Tree().Entry(qaf).Leaf;
    cats.SetFact("Cats purr\r\nand sleep");
    cats.SetQuestion("What do cats do?");
    for (int answer = 1; answer <= 4; ++answer) {
        cats.SetAnswer(answer, "Answer " + std::to_string(answer));
    }
    const int slide = doc.AddGenNode(ElementKind::Leaf, "Dogs", nullptr, root, Relationship::Child,
                                     AddOptions::None);
    CLeaf& dogs = *doc.Tree().Entry(slide).Leaf;
    dogs.SetBITMAPOnly(true);
    auto colour = test::SlidePicture(40, 30, 3);
    dogs.SetColorBitmap(colour);
    dogs.SetMonochromeBitmap(test::MonochromeOf(*colour));
    dogs.SetAuxColorBitmap(test::SlidePicture(24, 16, 5));
    dogs.SetAuxMonochromeBitmap(test::GreyOf(*test::SlidePicture(24, 16, 5)));
    dogs.SetAuxText("Notes on dogs");
    const int fact = doc.AddGenNode(ElementKind::Leaf, "Oaks", nullptr, topic, Relationship::Child,
                                    AddOptions::None);
    doc.Tree().Entry(fact).Leaf->SetFACTOnly(true);
    doc.Tree().Entry(fact).Leaf->SetFact("Oaks grow slowly");

    if (!Save(doc, scratch / "show.sdb") || !Export(doc, scratch / "show.pdb")) {
        throw std::runtime_error("the seed slide show could not be written");
    }
    seeds.Add("slide_show_reader_fuzzer", "saved.sdb", FileBytes(scratch / "show.sdb"));
    seeds.Add("slide_show_reader_fuzzer", "exported.pdb", FileBytes(scratch / "show.pdb"));

    // An old version-22 file and the records on their own.
    CNode22 oldRoot;
    oldRoot.SetTitle("Old show");
    CLeaf22 oldLeaf;
    oldLeaf.SetTitle("Old leaf");
    oldLeaf.SetFact("An old fact");
    seeds.Add("slide_show_reader_fuzzer", "version22.sdb",
              test::PalmDatabase({test::RecordBytes(oldRoot), test::RecordBytes(oldLeaf)}));
    seeds.Add("node22_fuzzer", "root", test::RecordBytes(oldRoot));
    seeds.Add("leaf22_fuzzer", "fact", test::RecordBytes(oldLeaf));

    seeds.Add("node_fuzzer", "root", test::RecordBytes(*doc.Tree().Entry(root).Node));
    seeds.Add("node_fuzzer", "topic", test::RecordBytes(*doc.Tree().Entry(topic).Node));
    seeds.Add("leaf_fuzzer", "qaf", test::RecordBytes(cats));
    seeds.Add("leaf_fuzzer", "fact", test::RecordBytes(*doc.Tree().Entry(fact).Leaf));
    seeds.Add("leaf_fuzzer", "bitmap", test::RecordBytes(dogs));
    seeds.Add("slide_record_pictures_fuzzer", "bitmap", test::RecordBytes(dogs));

    const Bytes saved = FileBytes(scratch / "show.sdb");
    seeds.Add("db_header_fuzzer", "saved", Prefixed({0x20}, saved));
    seeds.Add("db_header_fuzzer", "fixed-complemented", Prefixed({0xDF}, saved));
}

void AddPictures(CSeedWriter& seeds) {
    const std::vector<test::Rgb> four = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {255, 255, 255}};
    const auto pattern = [](std::int32_t x, std::int32_t y) {
        return static_cast<std::uint8_t>((x + 2 * y) % 4);
    };
    const auto save = [&](const std::string& name, const test::BmpImage& image) {
        const auto bytes = test::EncodeBmp(image);
        seeds.Add("bitmap_fuzzer", name, Bytes(bytes.begin(), bytes.end()));
    };
    save("rgb.bmp", test::RgbImage(7, 5, [](std::int32_t x, std::int32_t y) {
             return test::Rgb{static_cast<std::uint8_t>(x * 30), static_cast<std::uint8_t>(y * 50),
                              90};
         }));
    for (const std::uint16_t bits : {1, 4, 8}) {
        save("indexed" + std::to_string(bits) + ".bmp",
             test::IndexedImage(9, 3, bits, {four.begin(), four.begin() + (bits == 1 ? 2 : 4)},
                                [&](std::int32_t x, std::int32_t y) {
                                    return static_cast<std::uint8_t>(pattern(x, y) %
                                                                     (bits == 1 ? 2 : 4));
                                }));
    }
    auto topDown = test::RgbImage(3, 4, [](std::int32_t, std::int32_t y) {
        return test::Rgb{0, static_cast<std::uint8_t>(y * 60), 0};
    });
    topDown.topDown = true;
    save("topdown.bmp", topDown);

    auto colour = test::SlidePicture(20, 12, 7);
    const std::vector<std::pair<std::string, std::shared_ptr<CBitmap>>> pictures = {
        {"colour", colour}, {"mono", test::MonochromeOf(*colour)}, {"grey", test::GreyOf(*colour)}};
    for (const auto& [name, picture] : pictures) {
        CPalmBitmap palm;
        palm.ReadFromCBitmap(*picture);
        for (const bool omit : {false, true}) {
            CMemoryFile file;
            palm.WriteToFile(file, omit);
            seeds.Add("palm_bitmap_fuzzer", name + (omit ? "-bare" : "-record"),
                      Prefixed({static_cast<std::uint8_t>(omit)}, file.Data()));
        }
    }
}

void AddPresentations(CSeedWriter& seeds, const fs::path& scratch) {
    using test::Paragraph;
    using test::Shape;
    const auto parts = test::MinimalPresentation(
        {{Shape("type=\"title\"", Paragraph("First slide")) +
              Shape("idx=\"1\"", Paragraph("A point", "<a:buChar char=\"-\"/>") +
                                     Paragraph("Another", "", "lvl=\"1\"")),
          Shape("type=\"body\" idx=\"1\"", Paragraph("Speaker notes"))},
         {Shape("", Paragraph("A text box")), ""}},
        Shape("type=\"body\" idx=\"1\"", ""), "",
        "<p:bodyStyle><a:lvl1pPr><a:buAutoNum type=\"arabicPeriod\"/></a:lvl1pPr></p:bodyStyle>");
    test::WriteZip(scratch / "deck.pptx", parts);
    seeds.Add("pptx_fuzzer", "deck.pptx", FileBytes(scratch / "deck.pptx"));

    const std::vector<test::OdfTestSlide> slides = {
        {test::OdfFrame("title", "<text:p>First slide</text:p>") +
             test::OdfFrame("outline",
                            "<text:list text:style-name=\"L1\"><text:list-item><text:p>A "
                            "<text:s text:c=\"2\"/>point<text:line-break/>more</text:p>"
                            "</text:list-item></text:list>"),
         test::OdfFrame("notes", "<text:p>Speaker notes <text:page-number/></text:p>")},
        {"<draw:g>" + test::OdfFrame("", "<text:p>A text box</text:p>") + "</draw:g>", ""}};
    const std::string listStyle =
        "<text:list-style style:name=\"L1\"><text:list-level-style-number text:level=\"1\" "
        "style:num-format=\"1\"/></text:list-style>";
    const std::string flat = test::FlatOdfPresentation(slides, "", listStyle);
    seeds.Add("odf_fuzzer", "deck.fodp", Bytes(flat.begin(), flat.end()));
    test::WriteZip(scratch / "deck.odp", test::OdfPackage(slides, listStyle));
    seeds.Add("odf_fuzzer", "deck.odp", FileBytes(scratch / "deck.odp"));
}

void AddTexts(CSeedWriter& seeds) {
    // Byte 0: delimiter bits; byte 1: title options (see the fuzzer).
    const auto text = [&](const std::string& name, std::uint8_t delimiters, std::uint8_t title,
                          const std::string& body) {
        seeds.Add("unstructured_import_fuzzer", name,
                  Prefixed({delimiters, title}, Bytes(body.begin(), body.end())));
    };
    text("blank-lines", 0x01, 0x00, "First piece\r\nstill first\r\n\r\nSecond piece\r\n");
    text("unix-lines-titled", 0x02, 0x85, "one\ntwo\nthree has a longer line\n");
    text("marker-title-delim", 0x08, 0x10, "Cats: purr###Dogs: bark###Owls: hoot");
    text("utf8", 0x01, 0x40, "\xEF\xBB\xBFK\xC3\xA4se\n\nCaf\xC3\xA9\n");
    text("utf16", 0x02, 0x00,
         std::string("\xFF\xFE"
                     "A\0\r\0\n\0B\0",
                     10));
    text("long-piece-split", 0x01, 0x40, std::string(5000, 'x') + " end\r\n\r\nshort");

    const auto line = [&](const std::string& name, std::uint8_t flags, std::string body) {
        seeds.Add("command_line_fuzzer", name,
                  Prefixed({flags, ' ', '='}, Bytes(body.begin(), body.end())));
    };
    line("showui", 0x18, "/SHOWUI \"C:\\My Files\\show one.sdb\"");
    line("autopdb", 0x18, "/AUTOPDB=\"talk 1.pptx\" /showabout");
    line("quotes", 0x08, "a='b c' \"unterminated value");
}

void AddPalettes(CSeedWriter& seeds) {
    const std::vector<std::pair<std::string, std::uint16_t>> files = {
        {PalmPaletteFiles::kColor256File, 256},
        {PalmPaletteFiles::kMonochromeFile, 2},
        {PalmPaletteFiles::kGray4File, 4}};
    for (const auto& [name, count] : files) {
        seeds.Add("palette_fuzzer", name,
                  Prefixed({static_cast<std::uint8_t>(count & 0xFF),
                            static_cast<std::uint8_t>(count >> 8)},
                           FileBytes(PaletteFile(name))));
    }
}

}  // namespace
}  // namespace trovique::fuzz

int main(int argc, char** argv) {
    using namespace trovique::fuzz;
    if (argc != 2) {
        std::cerr << "usage: trovique_fuzz_seeds OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path root = argv[1];
        const auto scratch = root / ".scratch";
        std::filesystem::create_directories(scratch);
        CSeedWriter seeds(root);
        AddSlideShows(seeds, scratch);
        AddPictures(seeds);
        AddPresentations(seeds, scratch);
        AddTexts(seeds);
        AddPalettes(seeds);
        std::filesystem::remove_all(scratch);
    } catch (const std::exception& error) {
        std::cerr << "trovique_fuzz_seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
