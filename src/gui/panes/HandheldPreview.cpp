#include "gui/panes/HandheldPreview.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/preview/HandheldPreviewCache.h"
#include "core/preview/HandheldPreviewView.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

QLabel* NewLabel(QWidget* parent, const char* name, bool wrap = true) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(wrap);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPixmap PixmapOf(const RgbPicture& picture, int scale) {
    const QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                       QImage::Format_RGB888);
    // The handheld's pixels stay square blocks when doubled.
    return QPixmap::fromImage(image.scaled(picture.width * scale, picture.height * scale,
                                           Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace

// Shows the item again once the document says it changed; the cache has already dropped what
// it held of a changed leaf.
class HandheldPreview::Follower final : public IDocumentObserver {
public:
    explicit Follower(HandheldPreview& preview) : preview_(preview) {}
    void ItemChanged(int index, ItemAspects) override {
        if (index == preview_.item_) {
            Later();
        }
    }
    // Pages move with insertions, removals and moves; the lock comes with the document's own
    // change. Showing again from the cache costs a fraction of a millisecond.
    void ItemInserted(int, std::size_t, int) override { Later(); }
    void ItemRemoved(int, std::size_t, int) override { Later(); }
    void ItemMoved(const ItemMove&) override { Later(); }
    void ResetEnded() override { Later(); }
    void DocumentChanged() override { Later(); }

private:
    // One refresh for however many changes one edit tells.
    void Later() {
        if (!preview_.isVisible()) {
            preview_.stale_ = true;
        } else if (!pending_) {
            pending_ = true;
            QTimer::singleShot(0, &preview_, [this] {
                pending_ = false;
                preview_.Refresh();
            });
        }
    }
    HandheldPreview& preview_;
    bool pending_ = false;
};

struct HandheldPreview::Widgets {
    QLabel* hint = nullptr;
    QWidget* body = nullptr;
    QCheckBox* zoom = nullptr;
    QLabel* pictureNote = nullptr;
    QLabel* colorCaption = nullptr;
    QLabel* grayCaption = nullptr;
    QLabel* color = nullptr;
    QLabel* gray = nullptr;
    QLabel* title = nullptr;
    QLabel* page = nullptr;
    QLabel* notes = nullptr;
    QLabel* size = nullptr;
    QProgressBar* sizeBar = nullptr;
    QLabel* records = nullptr;
    QLabel* lineCount = nullptr;
    QPlainTextEdit* lines = nullptr;
};

HandheldPreview::HandheldPreview(CDocument& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      cache_(std::make_unique<CHandheldPreviewCache>(document.Tree(), document.Palettes())),
      follower_(std::make_unique<Follower>(*this)),
      widgets_(new Widgets) {
    setObjectName(QStringLiteral("picHandheld"));
    document_.Tree().AddObserver(follower_.get());
    Widgets& w = *widgets_;

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(content);

    w.hint = NewLabel(content, "lblHandheldHint");
    w.hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(w.hint);
    w.body = new QWidget(content);
    layout->addWidget(w.body, 1);

    auto* body = new QGridLayout(w.body);
    body->setContentsMargins(0, 0, 0, 0);
    w.zoom = new QCheckBox(tr("&Double size (2x)"), w.body);
    w.zoom->setObjectName(QStringLiteral("chkHandheldZoom"));
    connect(w.zoom, &QCheckBox::toggled, this, [this] { Refresh(); });
    body->addWidget(w.zoom, 0, 0, 1, 2);
    w.pictureNote = NewLabel(w.body, "lblHandheldPictureNote");
    body->addWidget(w.pictureNote, 1, 0, 1, 3);
    w.colorCaption = NewLabel(w.body, "lblHandheldColor", false);
    w.colorCaption->setText(tr("Colour"));
    w.grayCaption = NewLabel(w.body, "lblHandheldGray", false);
    w.grayCaption->setText(tr("Grey (4 levels)"));
    body->addWidget(w.colorCaption, 2, 0);
    body->addWidget(w.grayCaption, 2, 1);
    w.color = NewLabel(w.body, "picHandheldColor");
    w.gray = NewLabel(w.body, "picHandheldGray");
    for (QLabel* picture : {w.color, w.gray}) {
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setFrameShape(QFrame::Box);
    }
    body->addWidget(w.color, 3, 0, Qt::AlignLeft | Qt::AlignTop);
    body->addWidget(w.gray, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    body->setColumnStretch(2, 1);

    int row = 4;
    const auto addRow = [&](QWidget* widget) { body->addWidget(widget, row++, 0, 1, 3); };
    w.title = NewLabel(w.body, "lblHandheldTitle");
    QFont bold = w.title->font();
    bold.setBold(true);
    w.title->setFont(bold);
    addRow(w.title);
    w.page = NewLabel(w.body, "lblHandheldPage");
    addRow(w.page);
    w.notes = NewLabel(w.body, "lblHandheldNotes");
    addRow(w.notes);
    w.size = NewLabel(w.body, "lblHandheldSize");
    addRow(w.size);
    w.sizeBar = new QProgressBar(w.body);
    w.sizeBar->setObjectName(QStringLiteral("barHandheldSize"));
    w.sizeBar->setRange(0, static_cast<int>(kMaxHandheldRecordBytes));
    w.sizeBar->setTextVisible(false);
    w.sizeBar->setMaximumWidth(330);
    addRow(w.sizeBar);
    w.records = NewLabel(w.body, "lblHandheldRecords");
    addRow(w.records);
    w.lineCount = NewLabel(w.body, "lblHandheldLines");
    addRow(w.lineCount);
    w.lines = new QPlainTextEdit(w.body);
    w.lines->setObjectName(QStringLiteral("txtHandheldLines"));
    w.lines->setReadOnly(true);
    // The lines break where the handheld breaks them, never where this window would.
    w.lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    w.lines->setMinimumHeight(160);
    body->setRowStretch(row, 1);
    addRow(w.lines);

    ShowItem(0);
}

HandheldPreview::~HandheldPreview() {
    document_.Tree().RemoveObserver(follower_.get());
    delete widgets_;
}

void HandheldPreview::ShowItem(int item) {
    item_ = item;
    // A hidden preview (a tab not chosen) waits until it is shown.
    if (isVisible()) {
        Refresh();
    } else {
        stale_ = true;
    }
}

void HandheldPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) {
        Refresh();
    }
}

void HandheldPreview::Refresh() {
    stale_ = false;
    Widgets& w = *widgets_;
    const HandheldPreviewView view = ViewHandheldPreview(document_, *cache_, item_);
    w.hint->setText(FromCore(view.hint));
    w.hint->setVisible(view.slide == nullptr);
    w.body->setVisible(view.slide != nullptr);
    if (view.slide == nullptr) {
        return;
    }
    const int scale = w.zoom->isChecked() ? 2 : 1;
    const auto showPicture = [scale](QLabel* label, const RgbPicture& picture,
                                     const std::string& note) {
        if (picture.Empty()) {
            label->setPixmap(QPixmap());
            label->setText(FromCore(note));
            label->setFixedSize(160 * scale, 120 * scale);
        } else {
            label->setPixmap(PixmapOf(picture, scale));
            label->setFixedSize(label->pixmap().size() + QSize(2, 2));
        }
    };
    const bool pictures = view.pictureNote.empty();
    w.pictureNote->setText(FromCore(view.pictureNote));
    w.pictureNote->setVisible(!pictures);
    for (QWidget* widget : {static_cast<QWidget*>(w.zoom), static_cast<QWidget*>(w.colorCaption),
                            static_cast<QWidget*>(w.grayCaption), static_cast<QWidget*>(w.color),
                            static_cast<QWidget*>(w.gray)}) {
        widget->setVisible(pictures);
    }
    showPicture(w.color, view.slide->color, view.colorNote);
    showPicture(w.gray, view.slide->gray, view.grayNote);
    w.title->setText(FromCore(view.title));
    w.page->setText(FromCore(view.page));
    w.notes->setText(FromCore(view.notes));
    w.notes->setVisible(!view.notes.empty());
    w.size->setText(FromCore(view.size));
    w.sizeBar->setValue(static_cast<int>(std::min(view.sizeBytes, kMaxHandheldRecordBytes)));
    w.records->setText(FromCore(view.records));
    const bool text = !view.lineCount.empty();
    w.lineCount->setText(FromCore(view.lineCount));
    w.lineCount->setVisible(text);
    w.lines->setPlainText(FromCore(view.laidOutText));
    w.lines->setVisible(text);
}

}  // namespace trovique::gui
