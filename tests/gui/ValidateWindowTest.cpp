// The validation window and its options dialog: the findings tree as core lists it, Go To,
// Revalidate and the limit's check.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include "core/editor/Document.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"
#include "gui/dialogs/OptionsDialog.h"
#include "gui/models/ValidationResultsModel.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/IDocumentWindow.h"
#include "gui/windows/ValidateWindow.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

namespace {

// A slide show window that records what it was asked to show.
class RecordingWindow : public IDocumentWindow {
public:
    RecordingWindow(CServices& services, const PalmPalettes& palettes)
        : document_(services, palettes) {
        document_.InitialCaption("New Slide Show 1");
    }
    CDocument& Document() override { return document_; }
    QWidget& Widget() override { return widget_; }
    void UpdateCaption() override {}
    void RefreshActiveNode() override {}
    bool RenameNode() override { return false; }
    void BranchExpand(bool) override {}
    void DisplayItem(int elementIndex, DocumentControl control) override {
        shown.emplace_back(elementIndex, control);
    }
    QWidget* FactTextBox() override { return nullptr; }

    std::vector<std::pair<int, DocumentControl>> shown;

private:
    CDocument document_;
    QWidget widget_;
};

// The text of the next message box, which is then closed.
void ReadNextMessage(QString* text) {
    guitest::OnNextModal([text](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            *text = box->text();
            box->accept();
        }
    });
}

}  // namespace

class ValidateWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findingsGatherPerItem_data();
    void findingsGatherPerItem();
    void goToLeadsToTheItemOrTheOptions();
    void revalidateOfAValidShowEmptiesTheList();
    void closingOnlyHides();
    void placementIsKeptUnderValidate();
    void optionsDialog_data();
    void optionsDialog();

private:
    void MakeWindow();

    std::unique_ptr<MemorySettingsStore> store_;
    std::unique_ptr<CQtUserInterface> ui_;
    std::unique_ptr<CApplication> application_;
    std::unique_ptr<CServices> services_;
    std::unique_ptr<CValidationResults> results_;
    std::unique_ptr<RecordingWindow> document_;
    std::unique_ptr<ValidateWindow> window_;
    int optionsShown_ = 0;
};

void ValidateWindowTest::init() {
    store_ = std::make_unique<MemorySettingsStore>();
    ui_ = std::make_unique<CQtUserInterface>();
    application_ = std::make_unique<CApplication>(*store_, guitest::BinDir());
    services_ = std::make_unique<CServices>(CServices{*store_, *ui_});
    results_ = std::make_unique<CValidationResults>(*ui_);
    document_ = std::make_unique<RecordingWindow>(*services_, application_->Palettes());
    optionsShown_ = 0;
    MakeWindow();
}

void ValidateWindowTest::MakeWindow() {
    ValidateWindowLinks links;
    links.windowOf = [this](const CDocument* document) -> IDocumentWindow* {
        return document == &document_->Document() ? document_.get() : nullptr;
    };
    links.options = [this] { ++optionsShown_; };
    links.limit = [] { return CValidationLimit::Off(); };
    window_ = std::make_unique<ValidateWindow>(*results_, *store_, std::move(links));
    new QAbstractItemModelTester(
        &window_->Model(), QAbstractItemModelTester::FailureReportingMode::QtTest, window_.get());
}

void ValidateWindowTest::cleanup() {
    window_.reset();
    results_.reset();
    document_.reset();
}

void ValidateWindowTest::findingsGatherPerItem_data() {
    QTest::addColumn<QList<int>>("items");
    QTest::addColumn<QList<int>>("messagesPerEntry");
    QTest::newRow("three for one, then another") << QList<int>{5, 5, 5, 7} << QList<int>{3, 1};
    QTest::newRow("5, 7, 5 make three entries") << QList<int>{5, 7, 5} << QList<int>{1, 1, 1};
}

void ValidateWindowTest::findingsGatherPerItem() {
    QFETCH(QList<int>, items);
    QFETCH(QList<int>, messagesPerEntry);
    for (int item : items) {
        results_->AddEntry(std::to_string(item) + ":Slide Show\\Item " + std::to_string(item),
                           "Title must have data.", DocumentControl::LeafTitle, ElementKind::Leaf,
                           false);
    }
    const QAbstractItemModel& model = window_->Model();
    QCOMPARE(model.rowCount(), messagesPerEntry.size());
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex entry = model.index(row, 0);
        QCOMPARE(model.rowCount(entry), messagesPerEntry[row]);
        QCOMPARE(window_->Model().ImageOf(entry), CValidationResults::kImageLeafItem);
        QTRY_VERIFY(window_->Tree().isExpanded(entry));
        QCOMPARE(window_->Model().ImageOf(model.index(0, 0, entry)),
                 CValidationResults::kImageMessage);
    }
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Slide Show\\Item 5"));
    QVERIFY(window_->findChild<QPushButton*>(QStringLiteral("cmdAction_0"))->isEnabled());
    results_->Clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!window_->findChild<QPushButton*>(QStringLiteral("cmdAction_0"))->isEnabled());
}

void ValidateWindowTest::goToLeadsToTheItemOrTheOptions() {
    CDocument& document = document_->Document();
    const int root = document.Tree().GetNodeInfoIndexOfRoot();
    results_->SetDocForm(&document);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Validation Errors For New Slide Show 1"));
    results_->AddEntry(std::to_string(root) + ":Slide Show", "Title must have data.",
                       DocumentControl::SlideShowTitle, ElementKind::Root, false);
    results_->AddEntry(std::to_string(root) + ":Slide Show", "Creator ID must have 4 characters.",
                       DocumentControl::CreatorID, ElementKind::Root, false);
    results_->AddEntry("0:Validation stopped", "", DocumentControl::None, kKindStopEntry, false);
    QTreeView& tree = window_->Tree();
    const QModelIndex stop = tree.model()->index(1, 0);
    QCOMPARE(tree.model()->rowCount(stop), 0);
    QCOMPARE(window_->Model().ImageOf(stop), CValidationResults::kImageOtherItem);

    // The item entry leads to its first message, and that to the item and its field.
    tree.setCurrentIndex(tree.model()->index(0, 0));
    window_->findChild<QPushButton*>(QStringLiteral("cmdAction_0"))->click();
    QCOMPARE(tree.currentIndex(), tree.model()->index(0, 0, tree.model()->index(0, 0)));
    QCOMPARE(document_->shown.size(), std::size_t{1});
    QCOMPARE(document_->shown[0].first, root);
    QVERIFY(document_->shown[0].second == DocumentControl::SlideShowTitle);

    // A double-click on the second message goes there too; on the stop entry opens the options.
    tree.setCurrentIndex(tree.model()->index(1, 0, tree.model()->index(0, 0)));
    window_->DoAction(CValidationResults::kActionDoubleClick);
    QCOMPARE(document_->shown.size(), std::size_t{2});
    QVERIFY(document_->shown[1].second == DocumentControl::CreatorID);
    tree.setCurrentIndex(stop);
    window_->findChild<QPushButton*>(QStringLiteral("cmdAction_0"))->click();
    QCOMPARE(optionsShown_, 1);
    QCOMPARE(document_->shown.size(), std::size_t{2});
}

void ValidateWindowTest::revalidateOfAValidShowEmptiesTheList() {
    CDocument& document = document_->Document();
    QVERIFY(!Validate(document, *results_, CValidationLimit::Off()));
    QVERIFY(window_->Model().rowCount() > 0);
    QVERIFY(window_->findChild<QPushButton*>(QStringLiteral("cmdAction_2"))->isEnabled());
    // A category with one leaf that passes every rule.
    document.Tree().Select(document.Tree().GetNodeInfoIndexOfRoot());
    const int category = document.AddNode();
    document.Tree().Entry(category).Node->SetTitle("Planets");
    document.Tree().Select(category);
    document.Tree().Entry(document.AddQAF()).Leaf->SetTitle("Jupiter");
    QString said;
    ReadNextMessage(&said);
    window_->findChild<QPushButton*>(QStringLiteral("cmdAction_2"))->click();
    QCOMPARE(said, QStringLiteral("The Slide Show is valid."));
    QCOMPARE(window_->Model().rowCount(), 0);
}

void ValidateWindowTest::closingOnlyHides() {
    results_->Show(true);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->Tree().objectName(), QStringLiteral("tvErrors"));
    window_->close();
    QVERIFY(!window_->isVisible());
    QVERIFY(!results_->Visible());
    results_->Show(false);
    QVERIFY(window_->isVisible());
    window_->findChild<QPushButton*>(QStringLiteral("cmdAction_1"))->click();
    QVERIFY(!window_->isVisible());
    // Closing the slide show it lists empties and hides it.
    results_->SetDocForm(&document_->Document());
    results_->AddEntry("1:Slide Show", "Title must have data.", DocumentControl::None,
                       ElementKind::Root, false);
    results_->Show(false);
    results_->DocumentClosing(&document_->Document());
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->Model().rowCount(), 0);
}

void ValidateWindowTest::placementIsKeptUnderValidate() {
    window_->resize(611, 377);
    window_.reset();
    QVERIFY(store_->Get("Norvane Trovique", "Settings", "ValidateWidth").has_value());
    MakeWindow();
    QCOMPARE(window_->size(), QSize(611, 377));
}

void ValidateWindowTest::optionsDialog_data() {
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<bool>("limitOn");
    QTest::addColumn<int>("limit");
    QTest::newRow("ticked with 0 stays open") << true << "0" << true << true << 100;
    QTest::newRow("cleared closes, limit off") << false << "0" << false << false << 100;
    QTest::newRow("ticked with 25 stores it") << true << "25" << false << true << 25;
}

void ValidateWindowTest::optionsDialog() {
    QFETCH(bool, ticked);
    QFETCH(QString, count);
    QFETCH(bool, staysOpen);
    QFETCH(bool, limitOn);
    QFETCH(int, limit);
    OptionsDialog dialog(*application_, *ui_);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Application Options"));
    auto* check = dialog.findChild<QCheckBox*>(QStringLiteral("Check1"));
    auto* text = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QVERIFY(check->isChecked());
    QCOMPARE(text->text(), QStringLiteral("100"));
    check->setChecked(ticked);
    QCOMPARE(text->isEnabled(), ticked);
    text->setText(count);
    dialog.show();
    QString said;
    if (staysOpen) {
        ReadNextMessage(&said);
    }
    dialog.findChild<QPushButton*>(QStringLiteral("cmdAction_0"))->click();
    if (staysOpen) {
        QCOMPARE(said, QStringLiteral("Show First Errors number must be greater than 0."));
    }
    QCOMPARE(dialog.isVisible(), staysOpen);
    QCOMPARE(application_->ValidationLimitOn(), limitOn);
    QCOMPARE(application_->ValidationLimit(), limit);
}

QTEST_MAIN(ValidateWindowTest)
#include "ValidateWindowTest.moc"
