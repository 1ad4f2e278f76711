#include "platform/PopplerPdf.h"

#include <Annot.h>
#include <Error.h>
#include <Gfx.h>
#include <GlobalParams.h>
#include <PDFDoc.h>
#include <Page.h>
#include <SplashOutputDev.h>
#include <Stream.h>
#include <splash/SplashBitmap.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <mutex>

namespace trovique {
namespace {

// Poppler reports every oddity of a PDF on stderr; the program reports its own errors instead.
void Silence(ErrorCategory, Goffset, const char*) {}

void StartPoppler() {
    static std::once_flag started;
    std::call_once(started, [] {
        if (!globalParams) {
            globalParams = std::make_unique<GlobalParams>();
        }
        setErrorCallback(Silence);
    });
}

std::optional<std::vector<char>> ReadFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error || size == 0 || size > static_cast<std::uintmax_t>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    std::vector<char> bytes(static_cast<std::size_t>(size));
    std::ifstream in(file, std::ios::binary);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        return std::nullopt;
    }
    return bytes;
}

// Appends what the stream unpacks to; false once that would pass the limit.
bool AppendUnpacked(Object& stream, std::vector<char>& into, std::size_t limit) {
    if (!stream.isStream()) {
        return true;  // poppler skips what is not a stream, and so do we
    }
    Stream* source = stream.getStream();
    source->reset();
    unsigned char buffer[64 * 1024];
    bool fits = true;
    for (int got; fits && (got = source->doGetChars(sizeof buffer, buffer)) > 0;) {
        fits = into.size() + static_cast<std::size_t>(got) <= limit;
        if (fits) {
            into.insert(into.end(), buffer, buffer + got);
        }
    }
    source->close();
    return fits;
}

}  // namespace

CPopplerPdf::CPopplerPdf(std::vector<char> bytes, std::unique_ptr<PDFDoc> document)
    : bytes_(std::move(bytes)), document_(std::move(document)) {}

CPopplerPdf::~CPopplerPdf() = default;

std::unique_ptr<CPopplerPdf> CPopplerPdf::Load(const std::filesystem::path& file) {
    StartPoppler();
    auto bytes = ReadFile(file);
    if (!bytes) {
        return nullptr;
    }
    // The stream only points into the bytes, which the object keeps for as long as the document.
    auto* stream =
        new MemStream(bytes->data(), 0, static_cast<Goffset>(bytes->size()), Object(objNull));
    auto document = std::make_unique<PDFDoc>(stream);
    if (!document->isOk()) {
        return nullptr;
    }
    return std::unique_ptr<CPopplerPdf>(new CPopplerPdf(std::move(*bytes), std::move(document)));
}

int CPopplerPdf::PageCount() const {
    return std::max(0, document_->getNumPages());
}

std::optional<std::pair<double, double>> CPopplerPdf::PageSize(int page) const {
    if (page < 1 || page > PageCount()) {
        return std::nullopt;
    }
    Page* source = document_->getPage(page);
    if (source == nullptr) {
        return std::nullopt;
    }
    std::pair<double, double> size{source->getCropWidth(), source->getCropHeight()};
    const int turn = ((source->getRotate() % 360) + 360) % 360;
    if (turn == 90 || turn == 270) {
        std::swap(size.first, size.second);
    }
    return size;
}

const std::vector<char>* CPopplerPdf::UnpackedContent(int page) {
    const auto found = std::find_if(kept_.begin(), kept_.end(),
                                    [&](const auto& kept) { return kept.page == page; });
    if (found != kept_.end()) {
        return found->bytes ? &*found->bytes : nullptr;
    }
    KeptContent kept{page, std::vector<char>()};
    Object content = document_->getPage(page)->getContents();
    bool fits = true;
    if (content.isArray()) {
        // The parts of an array are read as one content, as if written one after the other.
        for (int index = 0; fits && index < content.arrayGetLength(); ++index) {
            Object part = content.arrayGet(index);
            fits = AppendUnpacked(part, *kept.bytes, kMaxKeptContent);
        }
    } else if (content.isStream()) {
        fits = AppendUnpacked(content, *kept.bytes, kMaxKeptContent);
    } else {
        fits = false;  // nothing to keep; poppler draws what such a page has
    }
    if (!fits) {
        kept.bytes.reset();
    }
    if (kept_.size() >= kKeptPages) {
        kept_.erase(kept_.begin());
    }
    kept_.push_back(std::move(kept));
    return kept_.back().bytes ? &*kept_.back().bytes : nullptr;
}

std::optional<PopplerPicture> CPopplerPdf::Draw(int page, double xResolution, double yResolution,
                                                int width, int height, bool smooth) {
    if (page < 1 || page > PageCount() || width < 1 || height < 1) {
        return std::nullopt;
    }
    Page* source = document_->getPage(page);
    if (source == nullptr) {
        return std::nullopt;
    }
    const std::vector<char>* unpacked = UnpackedContent(page);

    SplashColor white{255, 255, 255, 255};
    SplashOutputDev output(splashModeXBGR8, 4, false, white, true, splashThinLineDefault);
    output.setFontAntialias(smooth);
    output.setFreeTypeHinting(smooth, false);
    output.setVectorAntialias(smooth);
    output.startDoc(document_.get());
    // What poppler does to display a page, with the content read from memory when it is kept.
    std::unique_ptr<Gfx> gfx(source->createGfx(&output, xResolution, yResolution, 0, false, true, 0,
                                               0, width, height, false, nullptr, nullptr,
                                               document_->getXRef()));
    Object content = unpacked != nullptr
                         ? Object(static_cast<Stream*>(new MemStream(
                               unpacked->data(), 0, static_cast<Goffset>(unpacked->size()),
                               Object(new Dict(document_->getXRef())))))
                         : source->getContents();
    if (!content.isNull()) {
        gfx->saveState();
        gfx->display(&content);
        gfx->restoreState();
    } else {
        output.dump();
    }
    Annots* annotations = source->getAnnots();
    if (annotations != nullptr && !annotations->getAnnots().empty()) {
        for (Annot* annotation : annotations->getAnnots()) {
            annotation->draw(gfx.get(), false);
        }
        output.dump();
    }
    gfx.reset();

    SplashBitmap* bitmap = output.getBitmap();
    if (bitmap == nullptr || bitmap->getWidth() < 1 || bitmap->getHeight() < 1 ||
        bitmap->getRowSize() < bitmap->getWidth() * 4) {
        return std::nullopt;
    }
    PopplerPicture picture;
    picture.width = bitmap->getWidth();
    picture.height = bitmap->getHeight();
    picture.rowBytes = static_cast<std::size_t>(bitmap->getRowSize());
    const auto* data = reinterpret_cast<const std::uint8_t*>(bitmap->getDataPtr());
    picture.pixels.assign(data, data + picture.rowBytes * static_cast<std::size_t>(picture.height));
    return picture;
}

}  // namespace trovique
