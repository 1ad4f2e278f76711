// The handheld preview pane: the decoded pictures at both sizes, a FACT leaf's line count, and
// the hint for an item that is not a slide.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>
#include <memory>
#include <vector>

#include "core/editor/Document.h"
#include "core/imaging/PicturePreparation.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "core/validation/PalmDevice.h"
#include "gui/panes/HandheldPreview.h"
#include "gui/ui/QtUserInterface.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

class HandheldPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ColourSlideShowsDecodedPicturesAtBothSizes();
    void FactLeafShowsItsLineCount();
    void NodeClearsTheView();

private:
    // A new leaf under the root with the picture (or none) and the fact given.
    int AddLeaf(bool picture, const std::string& fact);
    template <class Widget>
    Widget* Find(const char* name) {
        return preview_->findChild<Widget*>(QString::fromLatin1(name));
    }

    MemorySettingsStore store_;
    std::unique_ptr<CQtUserInterface> ui_;
    std::unique_ptr<CServices> services_;
    std::unique_ptr<CApplication> application_;
    std::unique_ptr<CDocument> document_;
    std::unique_ptr<HandheldPreview> preview_;
};

void HandheldPreviewTest::init() {
    ui_ = std::make_unique<CQtUserInterface>();
    services_ = std::make_unique<CServices>(CServices{store_, *ui_});
    application_ = std::make_unique<CApplication>(store_, guitest::BinDir());
    document_ = std::make_unique<CDocument>(*services_, application_->Palettes());
    preview_ = std::make_unique<HandheldPreview>(*document_);
    preview_->show();
}

void HandheldPreviewTest::cleanup() {
    preview_.reset();  // before the document it observes
    document_.reset();
}

int HandheldPreviewTest::AddLeaf(bool picture, const std::string& fact) {
    CSlideShowTree& tree = document_->Tree();
    tree.Select(tree.GetNodeInfoIndexOfRoot());
    const int leaf = document_->AddQAF();
    CLeaf& record = *tree.Entry(leaf).Leaf;
    record.SetFact(fact);
    if (picture) {
        // Pure red, a colour of the handheld's palette, so it comes back exactly.
        std::vector<std::uint8_t> bgr(160 * 120 * 3, 0);
        for (std::size_t at = 2; at < bgr.size(); at += 3) {
            bgr[at] = 255;
        }
        auto colour =
            std::make_shared<CBitmap>(160, 120, bgr, 160 * 3, application_->Palettes().color256);
        record.SetMonochromeBitmap(
            std::make_shared<CBitmap>(GrayCompanion(*colour, application_->Palettes())));
        record.SetColorBitmap(colour);
        record.SetKind(LeafKind::Bitmap);
    }
    return leaf;
}

void HandheldPreviewTest::ColourSlideShowsDecodedPicturesAtBothSizes() {
    preview_->ShowItem(AddLeaf(true, "Notes"));
    auto* colour = Find<QLabel>("picHandheldColor");
    auto* grey = Find<QLabel>("picHandheldGray");
    QVERIFY(colour && grey);
    QCOMPARE(colour->pixmap().size(), QSize(160, 120));
    QCOMPARE(grey->pixmap().size(), QSize(160, 120));
    QCOMPARE(colour->pixmap().toImage().pixelColor(80, 60), QColor(255, 0, 0));
    QCOMPARE(Find<QLabel>("lblHandheldNotes")->text(), QStringLiteral("Notes"));
    QCOMPARE(Find<QLabel>("lblHandheldPage")->text(), QStringLiteral("Page 1"));

    Find<QCheckBox>("chkHandheldZoom")->setChecked(true);
    QCOMPARE(colour->pixmap().size(), QSize(320, 240));
    QCOMPARE(grey->pixmap().size(), QSize(320, 240));
}

void HandheldPreviewTest::FactLeafShowsItsLineCount() {
    const std::string fact(400, 'M');  // 8 pixels each: 18 to a line
    preview_->ShowItem(AddLeaf(false, fact));
    const QString count = QString::number(GetLineCount(fact, DefaultPalmDevice()));
    QVERIFY(Find<QLabel>("lblHandheldLines")->text().contains(QStringLiteral("Fact: ") + count));
    const QStringList lines = Find<QPlainTextEdit>("txtHandheldLines")->toPlainText().split('\n');
    QCOMPARE(lines.at(1), QString(18, QLatin1Char('M')));
}

void HandheldPreviewTest::NodeClearsTheView() {
    preview_->ShowItem(AddLeaf(true, {}));
    preview_->ShowItem(document_->Tree().GetNodeInfoIndexOfRoot());
    QVERIFY(Find<QLabel>("lblHandheldHint")->isVisible());
    QVERIFY(!Find<QLabel>("picHandheldColor")->isVisible());
    QVERIFY(!Find<QLabel>("lblHandheldHint")->text().isEmpty());
}

QTEST_MAIN(HandheldPreviewTest)
#include "HandheldPreviewTest.moc"
