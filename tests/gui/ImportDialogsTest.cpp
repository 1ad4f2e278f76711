// The import dialogs and the imports started from the main window: the delimiter list stored
// in list order, the preview, Cancel importing nothing, and a presentation import cancelled
// after its first slide.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <deque>
#include <fstream>
#include <thread>

#include "core/editor/Document.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "gui/dialogs/BuildDelimiterDialog.h"
#include "gui/dialogs/UnstructuredOptionsDialog.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/IDocumentWindow.h"
#include "gui/windows/MainWindow.h"
#include "gui/windows/PresentationImportRun.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

namespace {

const std::string kApp = "Norvane Trovique";
const std::string kSection = "ImportUnstructured";

// Three plain slides; drawing the first one waits until the test has pressed Cancel, so that
// the press lands while that slide is being read, as a user's would.
class ThreeSlides final : public IPresentationSource {
public:
    void Open(const std::filesystem::path&) override {}
    std::size_t SlideCount() const override { return 3; }
    SlideContent Slide(std::size_t) override { return {}; }
    std::optional<RenderedSlide> Render(std::size_t number, int width, int height) override {
        if (number == 1) {
            firstSlideDrawing = true;
            for (int i = 0; i < 500 && !cancelPressed; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        RenderedSlide slide{width, height, {}};
        slide.rgb.assign(static_cast<std::size_t>(width) * height * 3, 255);
        slide.rgb[0] = slide.rgb[1] = slide.rgb[2] = 0;
        return slide;
    }
    void Close() override {}

    std::atomic<bool> firstSlideDrawing = false;
    std::atomic<bool> cancelPressed = false;
};

QPushButton* ButtonIn(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QLatin1String(name));
}

}  // namespace

class ImportDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void delimitersAreStoredInListOrder();
    void buildDelimiterAppendsCodes();
    void previewFollowsTheOptions();
    void cancelledOptionsImportNothing_data();
    void cancelledOptionsImportNothing();
    void presentationImportCancelledAfterFirstSlide();
    void handedOverFileWaitsForTheBusyFrame();

private:
    std::string Stored(const std::string& key) const {
        return store_->Get(kApp, kSection, key).value_or("<missing>");
    }
    std::string TextFile(const char* text) {
        const std::string path = folder_.filePath(QStringLiteral("pieces.txt")).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    QTemporaryDir folder_;
    std::unique_ptr<MemorySettingsStore> store_;
    std::unique_ptr<CQtUserInterface> ui_;
    std::unique_ptr<CApplication> application_;
};

void ImportDialogsTest::init() {
    store_ = std::make_unique<MemorySettingsStore>();
    ui_ = std::make_unique<CQtUserInterface>();
    application_ = std::make_unique<CApplication>(*store_, guitest::BinDir());
    application_->SetAllowGUI(true);
}

void ImportDialogsTest::cleanup() {
    application_.reset();
    ui_.reset();
}

void ImportDialogsTest::delimitersAreStoredInListOrder() {
    UnstructuredOptionsDialog dialog(*store_, *ui_, {});
    std::deque<CDelim> built{CDelim("59"), CDelim("58")};
    dialog.buildDelimiter = [&](const CDelim&) -> std::optional<CDelim> {
        CDelim next = built.front();
        built.pop_front();
        return next;
    };
    QListWidget& list = dialog.DelimiterList();
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.item(0)->text(),
             QStringLiteral("0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED) AND 0x0D (CARRIAGE "
                            "RETURN) AND 0x0A (LINE FEED)"));
    list.setCurrentRow(0);
    ButtonIn(dialog, "cmdRemove")->click();
    ButtonIn(dialog, "cmdAdd")->click();  // ";" after "13,10,9"
    list.setCurrentRow(0);
    ButtonIn(dialog, "cmdEdit")->click();  // "13,10,9" becomes ":"
    QCOMPARE(list.item(0)->text(), QStringLiteral("0x3A (:)"));
    dialog.show();
    ButtonIn(dialog, "cmdAction_0")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(Stored("DelimCount"), std::string("2"));
    QCOMPARE(Stored("Delim1"), std::string("58"));
    QCOMPARE(Stored("Delim2"), std::string("59"));
}

void ImportDialogsTest::buildDelimiterAppendsCodes() {
    BuildDelimiterDialog dialog(CDelim(), *ui_);
    QTreeWidget& codes = dialog.CodeList();
    QCOMPARE(codes.topLevelItemCount(), 256);
    QCOMPARE(codes.topLevelItem(46)->text(0) + codes.topLevelItem(46)->text(1) +
                 codes.topLevelItem(46)->text(2),
             QStringLiteral("0x2E.PERIOD"));
    dialog.show();
    QString said;
    guitest::OnNextModal([&said](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            said = box->text();
            box->accept();
        }
    });
    ButtonIn(dialog, "cmdAction_0")->click();
    QCOMPARE(said, QStringLiteral("Delimiter String must have data."));
    QVERIFY(dialog.isVisible());
    codes.setCurrentItem(codes.topLevelItem(13));
    ButtonIn(dialog, "cmdAdd")->click();
    emit codes.itemDoubleClicked(codes.topLevelItem(10), 0);
    QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("txtDelimString"))->text(),
             QStringLiteral("0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED)"));
    ButtonIn(dialog, "cmdAction_0")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Delimiter().DataString(), std::string("13,10"));
}

void ImportDialogsTest::previewFollowsTheOptions() {
    UnstructuredOptionsDialog dialog(*store_, *ui_, TextFile("Alpha one\n\nBeta two\n\tGamma"));
    QTreeWidget& preview = dialog.Preview();
    QCOMPARE(preview.topLevelItemCount(), 3);
    QCOMPARE(preview.topLevelItem(1)->text(2), QStringLiteral("Beta two"));
    QCOMPARE(preview.topLevelItem(1)->text(1), QStringLiteral("(default name)"));
    dialog.findChild<QLineEdit*>(QStringLiteral("txtTitleCount"))->setText(QStringLiteral("4"));
    emit dialog.findChild<QLineEdit*>(QStringLiteral("txtTitleCount"))
        ->textEdited(QStringLiteral("4"));
    dialog.findChild<QRadioButton*>(QStringLiteral("optTitle_1"))->click();
    QCOMPARE(preview.topLevelItem(0)->text(1), QStringLiteral("Alph"));
    QCOMPARE(preview.topLevelItem(2)->text(1), QStringLiteral("Gamm"));
}

void ImportDialogsTest::cancelledOptionsImportNothing_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("windows");
    QTest::addColumn<int>("leaves");
    QTest::newRow("Cancel") << "cmdAction_1" << 0 << 0;
    QTest::newRow("OK") << "cmdAction_0" << 1 << 2;
}

void ImportDialogsTest::cancelledOptionsImportNothing() {
    QFETCH(QString, button);
    QFETCH(int, windows);
    QFETCH(int, leaves);
    MainWindow main(*store_, *ui_);
    main.SetApplication(application_.get());
    main.Load();
    main.show();
    QString caption;
    guitest::OnNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        if (auto* pressed = modal->findChild<QPushButton*>(button)) {
            pressed->click();
        }
    });
    main.DoCmd(19, QString::fromStdString(TextFile("one\r\n\r\ntwo")));
    QCOMPARE(caption, QStringLiteral("Import Unstructured Options"));
    QCOMPARE(main.Documents().size(), windows);
    if (windows > 0) {
        CDocument& document = main.Documents().first()->Document();
        QCOMPARE(document.Tree().GetNumLeafChildren(document.Tree().GetNodeInfoIndexOfRoot()),
                 leaves);
    }
}

void ImportDialogsTest::presentationImportCancelledAfterFirstSlide() {
    CServices services{*store_, *ui_};
    CDocument document(services, application_->Palettes());
    QWidget other;
    other.show();
    ThreeSlides source;
    bool otherHeld = false;
    QTimer press;
    connect(&press, &QTimer::timeout, this, [&] {
        if (source.firstSlideDrawing && !source.cancelPressed) {
            otherHeld = !other.isEnabled();
            ButtonIn(ui_->ProgressView(), "cmdCancel")->click();
            source.cancelPressed = true;
        }
    });
    press.start(5);
    const std::string deck = folder_.filePath(QStringLiteral("deck.pptx")).toStdString();
    std::ofstream(deck) << "slides";
    const PowerPointImportResult result =
        ImportPresentationInBackground(document, source, deck, &ui_->ProgressView());
    QVERIFY(source.cancelPressed);
    QVERIFY2(otherHeld, "the other windows are disabled while the office works");
    QVERIFY(other.isEnabled());
    QVERIFY(result.cancelled);
    QCOMPARE(result.slidesAdded, std::size_t{1});
    QCOMPARE(document.Tree().GetNumLeafChildren(document.Tree().GetNodeInfoIndexOfRoot()), 1);
}

void ImportDialogsTest::handedOverFileWaitsForTheBusyFrame() {
    MainWindow main(*store_, *ui_);
    main.SetApplication(application_.get());
    main.Load();
    main.show();
    const std::string file = folder_.filePath(QStringLiteral("handed.sdb")).toStdString();
    {
        CServices services{*store_, *ui_};
        CDocument document(services, application_->Palettes());
        QVERIFY(Save(document, file));
    }
    main.setEnabled(false);
    main.OpenTimedDocument(QString::fromStdString(file));
    QTest::qWait(4 * MainWindow::kOpenDelayMilliseconds);
    QCOMPARE(main.Documents().size(), 0);
    main.setEnabled(true);
    QTRY_COMPARE(main.Documents().size(), 1);
}

QTEST_MAIN(ImportDialogsTest)
#include "ImportDialogsTest.moc"
