// The office writes the slides' PDF in parts so that the pictures can be drawn while it works.
// The pictures must be the very pixels the whole PDF gives: checked on a deck of gradients,
// transparency, shadows, an embedded photo-like picture and a hidden slide, longer than a part.
// They are drawn through poppler's own classes, with each page's content unpacked once, and
// must be the very pixels poppler's public renderer draws.

#include <gtest/gtest.h>
#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/import/SlidePictures.h"
#include "platform/LibreOfficeSource.h"
#include "platform/OfficeRun.h"
#include "platform/PdfSlideRenderer.h"
#include "platform/PopplerPdf.h"
#include "platform/ProcessRunner.h"
#include "support/BitmapWriter.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Base64(const std::vector<unsigned char>& bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = static_cast<std::uint32_t>(bytes[at]) << 16;
        group |= count > 1 ? static_cast<std::uint32_t>(bytes[at + 1]) << 8 : 0;
        group |= count > 2 ? bytes[at + 2] : 0;
        for (std::size_t digit = 0; digit < 4; ++digit) {
            text += digit <= count ? kDigits[(group >> (18 - 6 * digit)) & 63] : '=';
        }
    }
    return text;
}

std::string HeavyDeck(std::size_t slides) {
    const auto photo = test::EncodeBmp(test::RgbImage(120, 90, [](std::int32_t x, std::int32_t y) {
        const auto noise = static_cast<std::uint8_t>((x * 7919 + y * 104729) % 61);
        return test::Rgb{static_cast<std::uint8_t>(x * 2 + noise),
                         static_cast<std::uint8_t>(y * 2 + noise),
                         static_cast<std::uint8_t>(noise * 4)};
    }));
    std::string deck = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:styles>
  <draw:gradient draw:name="Sky" draw:style="linear" draw:start-color="#0b2545"
   draw:end-color="#8da9c4" draw:angle="300" draw:border="0%"/>
  <draw:gradient draw:name="Sun" draw:style="radial" draw:start-color="#ffd166"
   draw:end-color="#ef476f" draw:cx="50%" draw:cy="50%" draw:border="0%"/>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="PM1"><style:page-layout-properties fo:margin-top="0cm"
   fo:margin-bottom="0cm" fo:margin-left="0cm" fo:margin-right="0cm" fo:page-width="28cm"
   fo:page-height="21cm"/></style:page-layout>
  <style:style style:name="dp1" style:family="drawing-page"><style:drawing-page-properties
   draw:fill="gradient" draw:fill-gradient-name="Sky"/></style:style>
  <style:style style:name="dpHidden" style:family="drawing-page"><style:drawing-page-properties
   presentation:visibility="hidden" draw:fill="gradient" draw:fill-gradient-name="Sky"/></style:style>
  <style:style style:name="grSun" style:family="graphic"><style:graphic-properties
   draw:stroke="solid" svg:stroke-color="#ffffff" draw:fill="gradient" draw:fill-gradient-name="Sun"
   draw:opacity="70%" draw:shadow="visible" draw:shadow-offset-x="0.1cm"
   draw:shadow-offset-y="0.1cm"/></style:style>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Plain" style:page-layout-name="PM1"
  draw:style-name="dp1"/></office:master-styles>
 <office:body><office:presentation>
)";
    for (std::size_t slide = 1; slide <= slides; ++slide) {
        deck += "<draw:page draw:name=\"s" + std::to_string(slide) +
                "\" draw:master-page-name=\"Plain\"" +
                (slide == 2 ? " draw:style-name=\"dpHidden\"" : "") + ">";
        deck +=
            "<draw:frame svg:x=\"1cm\" svg:y=\"3cm\" svg:width=\"12cm\" svg:height=\"9cm\">"
            "<draw:image><office:binary-data>" +
            Base64(photo) + "</office:binary-data></draw:image></draw:frame>";
        for (std::size_t shape = 0; shape < 6; ++shape) {
            deck += "<draw:ellipse draw:style-name=\"grSun\" svg:x=\"" +
                    std::to_string(14 + (shape % 4) * 3) + "cm\" svg:y=\"" +
                    std::to_string(3 + (shape / 4) * 4 + slide % 2) +
                    "cm\" svg:width=\"2.5cm\" svg:height=\"3cm\"/>";
        }
        deck +=
            "<draw:frame presentation:class=\"title\" svg:x=\"1cm\" svg:y=\"0.5cm\" "
            "svg:width=\"26cm\" svg:height=\"2cm\"><draw:text-box><text:p>Survey " +
            std::to_string(slide) + "</text:p></draw:text-box></draw:frame></draw:page>\n";
    }
    return deck + "</office:presentation></office:body></office:document>\n";
}

// Every page of the PDFs at every picture size, smoothed and sharp, as rows of four-byte pixels.
using Drawings = std::vector<std::vector<std::uint8_t>>;

template <typename Draw>
Drawings DrawAll(const std::vector<fs::path>& pdfs, const Draw& draw) {
    std::vector<PictureSize> sizes{kSmallPictureSize};
    sizes.insert(sizes.end(), kLargePictureSizes.begin(), kLargePictureSizes.end());
    Drawings drawings;
    for (const fs::path& pdf : pdfs) {
        for (int page = 1;; ++page) {
            bool drawn = false;
            for (const PictureSize size : sizes) {
                for (const bool smooth : {true, false}) {
                    drawings.push_back(draw(pdf, page, size, smooth));
                    drawn = drawn || !drawings.back().empty();
                }
            }
            if (!drawn) {
                break;
            }
        }
    }
    return drawings;
}

// Resolutions as the slide pictures use them: the page fills the width, then the height fits.
std::pair<double, double> Resolutions(double pageWidth, double pageHeight, PictureSize size) {
    return {72.0 * size.width / pageWidth,
            72.0 * std::round(pageHeight * size.width / pageWidth) / pageHeight};
}

std::vector<std::uint8_t> Rows(const char* data, int width, int height, std::size_t rowBytes) {
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(data) + y * rowBytes;
        rows.insert(rows.end(), row, row + static_cast<std::size_t>(width) * 4);
    }
    return rows;
}

TEST(OfficePartsPixelTest, PagesAreDrawnAsPopplersPublicRendererDrawsThem) {
    if (FindProgramOnPath("soffice").empty()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    const test::ScratchDir scratch;
    const std::string deck = HeavyDeck(3);
    test::WriteAllBytes(scratch / "heavy.fodp", {deck.begin(), deck.end()});
    std::vector<std::string> command{"soffice",
                                     "--headless",
                                     "-env:UserInstallation=file://" + (scratch / "p").string(),
                                     "--convert-to",
                                     "pdf",
                                     "--outdir",
                                     scratch.Path().string(),
                                     (scratch / "heavy.fodp").string()};
    std::vector<fs::path> pdfs{scratch / "heavy.pdf"};
    for (const char* name : {"themes.pptx", "SampleShow.ppt"}) {
        command.push_back((test::DecksDir() / name).string());
        pdfs.push_back(scratch / fs::path(name).replace_extension(".pdf"));
    }
    CProcessRunner runner;
    const auto converted = runner.Run({command, scratch.Path(), 240s});
    ASSERT_TRUE(converted.Succeeded()) << converted.output;

    // Poppler's public renderer first and on its own: it sets up and ends poppler's global state
    // around its documents.
    const Drawings expected = DrawAll(pdfs, [](const fs::path& pdf, int page, PictureSize size,
                                               bool smooth) {
        const auto bytes = test::ReadAllBytes(pdf);
        poppler::byte_array data(bytes.begin(), bytes.end());
        const std::unique_ptr<poppler::document> document(poppler::document::load_from_data(&data));
        if (!document || page > document->pages()) {
            return std::vector<std::uint8_t>{};
        }
        const std::unique_ptr<poppler::page> source(document->create_page(page - 1));
        const auto [x, y] =
            Resolutions(source->page_rect().width(), source->page_rect().height(), size);
        poppler::page_renderer renderer;
        renderer.set_image_format(poppler::image::format_argb32);
        renderer.set_paper_color(0xFFFFFFFF);
        for (const auto hint :
             {poppler::page_renderer::antialiasing, poppler::page_renderer::text_antialiasing,
              poppler::page_renderer::text_hinting}) {
            renderer.set_render_hint(hint, smooth);
        }
        const int height = static_cast<int>(std::round(y * source->page_rect().height() / 72.0));
        const poppler::image image =
            renderer.render_page(source.get(), x, y, 0, 0, size.width, height);
        return Rows(image.const_data(), image.width(), image.height(),
                    static_cast<std::size_t>(image.bytes_per_row()));
    });
    std::map<fs::path, std::unique_ptr<CPopplerPdf>> open;
    const Drawings ours =
        DrawAll(pdfs, [&](const fs::path& pdf, int page, PictureSize size, bool smooth) {
            auto& document = open[pdf];
            if (!document) {
                document = CPopplerPdf::Load(pdf);
            }
            const auto pageSize = document->PageSize(page);
            if (!pageSize) {
                return std::vector<std::uint8_t>{};
            }
            const auto [x, y] = Resolutions(pageSize->first, pageSize->second, size);
            const int height = static_cast<int>(std::round(y * pageSize->second / 72.0));
            const auto picture = document->Draw(page, x, y, size.width, height, smooth);
            return picture ? Rows(reinterpret_cast<const char*>(picture->pixels.data()),
                                  picture->width, picture->height, picture->rowBytes)
                           : std::vector<std::uint8_t>{};
        });
    ASSERT_EQ(ours.size(), expected.size());
    EXPECT_GT(ours.size(), 60u);  // every deck gave its pages
    for (std::size_t index = 0; index < ours.size(); ++index) {
        EXPECT_TRUE(ours[index] == expected[index]) << "drawing " << index;
    }
}

TEST(OfficePartsPixelTest, PicturesFromPartsAreThoseOfTheWholePdf) {
    if (FindProgramOnPath("soffice").empty()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    const test::ScratchDir scratch;
    const std::size_t slides = COfficeRun::kPagesPerPart + 2;
    const std::string deck = HeavyDeck(slides);
    test::WriteAllBytes(scratch / "heavy.fodp", {deck.begin(), deck.end()});

    // The whole PDF, hidden slides included, as the office wrote it before it wrote parts.
    CProcessRunner runner;
    const auto whole = runner.Run(
        {{"soffice", "--headless", "-env:UserInstallation=file://" + (scratch / "p").string(),
          "--convert-to",
          R"(pdf:impress_pdf_Export:{"ExportHiddenSlides":{"type":"boolean","value":"true"}})",
          "--outdir", scratch.Path().string(), (scratch / "heavy.fodp").string()},
         scratch.Path(),
         240s});
    ASSERT_TRUE(whole.Succeeded()) << whole.output;
    CPdfSlideRenderer reference(scratch / "heavy.pdf", false);
    ASSERT_EQ(reference.PageCount(), slides);

    const char* oldTemporary = std::getenv("TMPDIR");
    const std::string restore = oldTemporary != nullptr ? oldTemporary : "";
    ::setenv("TMPDIR", scratch.Path().c_str(), 1);
    CLibreOfficeSource source(runner, 240s);
    source.SetProfileCache({});
    source.Open(scratch / "heavy.fodp");
    ASSERT_EQ(source.SlideCount(), slides);
    for (std::size_t page = 1; page <= slides; ++page) {
        std::vector<PictureSize> sizes{kSmallPictureSize};
        sizes.insert(sizes.end(), kLargePictureSizes.begin(), kLargePictureSizes.end());
        for (const PictureSize size : sizes) {
            const auto ours = source.Render(page, size.width, size.height);
            const auto expected = reference.Render(page, size.width, size.height);
            ASSERT_TRUE(ours && expected);
            EXPECT_TRUE(ours->rgb == expected->rgb)
                << "page " << page << " at " << size.width << " x " << size.height;
        }
    }
    source.Close();
    if (restore.empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", restore.c_str(), 1);
    }
}

}  // namespace
}  // namespace trovique
