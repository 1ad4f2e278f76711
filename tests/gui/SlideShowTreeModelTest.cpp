// The tree model over a slide show: Qt's model tester watches it through a long run of random
// edits with their undo and redo, and a 5,000-leaf paste and its undo go in and out as single
// row changes, without a reset, while the view keeps the selected item.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "core/editor/RandomEditRun.h"
#include "gui/models/SlideShowTreeModel.h"
#include "support/DocumentFixture.h"

using namespace trovique;
using namespace trovique::gui;

class SlideShowTreeModelTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void PassesTheModelTesterThroughRandomEdits();
    void BigPasteAndUndoKeepTheViewAndItsSelection();

private:
    int AddUnder(int parent, bool leaf) {
        doc_->Tree().Select(parent);
        return leaf ? doc_->AddQAF() : doc_->AddNode();
    }

    std::unique_ptr<test::DocumentFixture> fixture_;
    std::unique_ptr<CDocument> doc_;
    std::unique_ptr<SlideShowTreeModel> model_;
    std::unique_ptr<QTreeView> view_;
};

void SlideShowTreeModelTest::init() {
    fixture_ = std::make_unique<test::DocumentFixture>();
    fixture_->Settings().Set("Norvane Trovique", "NoShowAgain", "DeleteNode", "1");
    doc_ = fixture_->NewDocument();
    model_ = std::make_unique<SlideShowTreeModel>(doc_->Tree());
    view_ = std::make_unique<QTreeView>();
    view_->setModel(model_.get());
    view_->resize(300, 400);
    view_->show();
}

void SlideShowTreeModelTest::cleanup() {
    view_.reset();
    model_.reset();
    doc_.reset();
    fixture_.reset();
}

void SlideShowTreeModelTest::PassesTheModelTesterThroughRandomEdits() {
    QAbstractItemModelTester tester(model_.get(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const int root = doc_->Tree().GetNodeInfoIndexOfRoot();
    const int first = AddUnder(root, false);
    for (int i = 0; i < 5; ++i) {
        AddUnder(AddUnder(first, false), true);
    }
    QSignalSpy moves(model_.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy removals(model_.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy resets(model_.get(), &QAbstractItemModel::modelReset);
    test::RandomEditRun run(*doc_, 7);
    for (int step = 0; step < 600; ++step) {
        const std::string done = run.Step();
        view_->expandAll();
        // Every live item answers for itself where the tree has it.
        const CSlideShowTree& tree = doc_->Tree();
        for (const int item : tree.Preorder(tree.GetNodeInfoIndexOfRoot())) {
            const QModelIndex index = model_->IndexOf(item);
            QVERIFY2(index.isValid() && SlideShowTreeModel::ElementOf(index) == item, done.c_str());
            QCOMPARE(model_->rowCount(index), static_cast<int>(tree.Children(item).size()));
            QCOMPARE(SlideShowTreeModel::ElementOf(model_->parent(index)), tree.Parent(item));
        }
        if (QTest::currentTestFailed()) {
            QFAIL(("after step " + std::to_string(step) + ": " + done).c_str());
        }
    }
    // Every kind of change took part.
    QVERIFY(moves.count() > 20);
    QVERIFY(removals.count() > 20);
    QVERIFY(resets.count() > 2);
}

void SlideShowTreeModelTest::BigPasteAndUndoKeepTheViewAndItsSelection() {
    const int root = doc_->Tree().GetNodeInfoIndexOfRoot();
    const int source = AddUnder(root, false);
    for (int i = 0; i < 5000; ++i) {
        doc_->AddGenNode(ElementKind::Leaf, {}, nullptr, source, Relationship::Child,
                         AddOptions::None);
    }
    const int target = AddUnder(root, false);
    const int kept = AddUnder(target, true);
    view_->expandAll();
    view_->setCurrentIndex(model_->IndexOf(kept));
    QSignalSpy resets(model_.get(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(model_.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removals(model_.get(), &QAbstractItemModel::rowsRemoved);

    QVERIFY(doc_->CopyNode(source));
    QVERIFY(doc_->PasteNode(root));
    QCOMPARE(inserts.count(), 1);
    QVERIFY(doc_->Undo());
    QCOMPARE(removals.count(), 1);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(SlideShowTreeModel::ElementOf(view_->currentIndex()), kept);
    QVERIFY(view_->isExpanded(model_->IndexOf(target)));
}

QTEST_MAIN(SlideShowTreeModelTest)
#include "SlideShowTreeModelTest.moc"
