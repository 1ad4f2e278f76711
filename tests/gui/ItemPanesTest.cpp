// The panes of a slide show window over a document of their own: what each item shows, the
// caps of the text boxes, the password rule and the dialogs the panes and their commands open.

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

#include "core/editor/Document.h"
#include "core/imaging/PalmPaletteFiles.h"
#include "core/services/MemorySettingsStore.h"
#include "gui/panes/ItemPanes.h"
#include "gui/ui/QtUserInterface.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

namespace {

// Runs action on the modal window named objectName once it shows.
void WhenModal(const QString& objectName, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->objectName() == objectName) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// Closes the next message box after noting its text, then runs then.
void NoteMessage(QStringList& texts, std::function<void()> then = {}) {
    WhenModal(QStringLiteral("MessageBox"), [&texts, then](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        texts << box->text();
        box->button(box->standardButtons().testFlag(QMessageBox::Ok) ? QMessageBox::Ok
                                                                     : QMessageBox::No)
            ->click();
        if (then) {
            then();
        }
    });
}

}  // namespace

class ItemPanesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void EachItemShowsItsPane();
    void TextBoxesKeepWhatTheirFieldsStore();
    void ProtectionNeedsAPassword();
    void PreferencesAndTermDialogsStayOpenOnARefusal();
    void ColourSplashAsksForItsCompanionAndShowsInViewImage();

private:
    template <class T>
    T* Child(const char* name) {
        return panes_->findChild<T*>(QString::fromLatin1(name));
    }
    int AddLeaf(int parent, LeafKind kind);
    QString WriteBmp(const char* name, int width, int height, bool color);

    PalmPaletteFiles palettes_;
    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<MemorySettingsStore> store_;
    std::unique_ptr<CQtUserInterface> ui_;
    std::unique_ptr<CServices> services_;
    std::unique_ptr<CDocument> doc_;
    std::unique_ptr<ItemPanes> panes_;
};

void ItemPanesTest::initTestCase() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    palettes_.Load(guitest::BinDir());
}

void ItemPanesTest::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<MemorySettingsStore>();
    ui_ = std::make_unique<CQtUserInterface>();
    services_ = std::make_unique<CServices>(CServices{*store_, *ui_});
    doc_ = std::make_unique<CDocument>(*services_, palettes_.Set());
    panes_ = std::make_unique<ItemPanes>(*doc_);
    panes_->resize(600, 560);
    panes_->show();
}

void ItemPanesTest::cleanup() {
    panes_.reset();
    doc_.reset();
}

int ItemPanesTest::AddLeaf(int parent, LeafKind kind) {
    doc_->Tree().Select(parent);
    const int leaf = doc_->AddQAF();
    doc_->ConvertLeaves({leaf}, kind);
    return leaf;
}

QString ItemPanesTest::WriteBmp(const char* name, int width, int height, bool color) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool dark = (x / 8 + y / 8) % 2 != 0;
            image.setPixel(x, y,
                           color ? qRgb(dark ? 255 : 0, x % 256, 51)
                                 : (dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255)));
        }
    }
    const QString file = scratch_->filePath(QString::fromLatin1(name) + ".bmp");
    image.save(file, "BMP");
    return file;
}

void ItemPanesTest::EachItemShowsItsPane() {
    const int root = doc_->Tree().GetNodeInfoIndexOfRoot();
    panes_->DisplayData(root);
    QCOMPARE(Child<QLabel>("lblSizeDB_0")->text(), QStringLiteral("<1K"));
    QCOMPARE(Child<QLabel>("lblNumSlides")->text(), QStringLiteral("0"));
    QCOMPARE(Child<QLineEdit>("Text1_11")->text(), QStringLiteral("Quodex"));
    doc_->Tree().Select(root);
    const int node = doc_->AddNode();
    const int qaf = AddLeaf(node, LeafKind::QAF);
    const int fact = AddLeaf(node, LeafKind::Fact);
    const int bitmap = AddLeaf(node, LeafKind::Bitmap);
    const int locked = AddLeaf(node, LeafKind::QAF);
    QVERIFY(doc_->SetPrefs({"pw", "pw", false, false}));
    QVERIFY(doc_->SetLeafSwitch(locked, CDocument::LeafSwitch::PasswordProtect, true));
    QVERIFY(doc_->LockDB());
    doc_->ForceDirty(false);

    struct Case {
        int item;
        const char* pane;
        bool difficulty;
    };
    const Case cases[] = {{root, "picTitle", false}, {node, "picNode", false},
                          {qaf, "picQAF", true},     {fact, "picQAF", false},
                          {bitmap, "picQAF", false}, {locked, "lblLocked", false}};
    const char* panes[] = {"picTitle", "picNode", "picQAF", "lblLocked"};
    for (const Case& c : cases) {
        panes_->DisplayData(c.item);
        for (const char* pane : panes) {
            QCOMPARE(Child<QWidget>(pane)->isVisible(), qstrcmp(pane, c.pane) == 0);
        }
        if (qstrcmp(c.pane, "picQAF") == 0) {
            QCOMPARE(Child<QComboBox>("cboDifficulty")->isEnabled(), c.difficulty);
            QCOMPARE(Child<QTextEdit>("Text1_8")->toolTip(),
                     QStringLiteral("This Definition will display approximately 250 lines of "
                                    "text on the Palm."));
            QCOMPARE(Child<QLineEdit>("Text1_10")->text(),
                     QString::number(doc_->Tree().Entry(c.item).Leaf->LPI()));
        }
    }
    QCOMPARE(Child<QLabel>("lblLocked")->text(),
             QStringLiteral("Unlock this leaf by selecting Unlock from the File menu and typing "
                            "the correct password."));
    QVERIFY2(!doc_->Dirty(), "filling the panes changes nothing");

    // The panes follow the document: unlocking shows the slide, and the node's counts.
    panes_->DisplayData(locked);
    QVERIFY(doc_->UnlockDB("pw"));
    QVERIFY(Child<QWidget>("picQAF")->isVisible());
    panes_->DisplayData(node);
    QCOMPARE(Child<QLabel>("lblNumLeaves")->text(), QStringLiteral("4"));
    QCOMPARE(Child<QLabel>("lblTotalSlides")->text(), QStringLiteral("4"));
    QCOMPARE(Child<QLabel>("lblPercentage")->text(), QStringLiteral("100.0"));
    QCOMPARE(Child<QLabel>("lblFirstPage")->text(), QStringLiteral("1"));
}

void ItemPanesTest::TextBoxesKeepWhatTheirFieldsStore() {
    const int root = doc_->Tree().GetNodeInfoIndexOfRoot();
    const int first = AddLeaf(root, LeafKind::QAF);
    const int second = AddLeaf(root, LeafKind::QAF);
    panes_->DisplayData(first);
    auto* title = panes_->TitleBox(ElementKind::Leaf);
    title->setText(QString(300, QChar(0xE9)));
    QCOMPARE(doc_->Tree().Entry(first).Title(), std::string(255, '\xE9'));
    QCOMPARE(title->text().size(), 255);
    QTextEdit* fact = panes_->FactTextBox();
    fact->setPlainText(QString(9999, QLatin1Char('x')) + QStringLiteral("\nmore"));
    QCOMPARE(doc_->Tree().Entry(first).Leaf->Fact(), std::string(9999, 'x'));
    QCOMPARE(fact->toPlainText().size(), 9999);  // a line break is stored as two

    // The See-Also lists of another slide follow the title.
    title->setText(QStringLiteral("Caf\u00e9"));
    panes_->DisplayData(second);
    auto* seeAlso = Child<QComboBox>("cboSeeAlso_0");
    QCOMPARE(seeAlso->itemText(0), QStringLiteral("<None>"));
    QCOMPARE(seeAlso->itemData(0).toInt(), 0);
    const int row = seeAlso->findData(first);
    QVERIFY(row > 0);
    QCOMPARE(seeAlso->itemText(row), QStringLiteral("Caf\u00e9"));
    panes_->DisplayData(first);
    title->setText(QStringLiteral("Tea"));
    panes_->DisplayData(second);
    QCOMPARE(seeAlso->itemText(row), QStringLiteral("Tea"));
    seeAlso->setCurrentIndex(row);
    emit seeAlso->activated(row);
    QCOMPARE(int(doc_->Tree().Entry(second).Leaf->SeeAlso(1)), first);

    // The root's boxes: a title of 25 characters, the creator into the header.
    panes_->DisplayData(root);
    panes_->TitleBox(ElementKind::Root)->setText(QString(30, QLatin1Char('T')));
    QCOMPARE(doc_->Tree().Entry(root).Title(), std::string(25, 'T'));
    Child<QLineEdit>("Text1_9")->setText(QStringLiteral("ABCD"));
    QCOMPARE(doc_->Properties().Header().Creator(), std::string("ABCD"));
    // An undo elsewhere shows in the pane.
    QVERIFY(doc_->SetFieldText(root, TextField::SlideShowTitle, "Outside"));
    QCOMPARE(panes_->TitleBox(ElementKind::Root)->text(), QStringLiteral("Outside"));
}

void ItemPanesTest::ProtectionNeedsAPassword() {
    const int leaf = AddLeaf(doc_->Tree().GetNodeInfoIndexOfRoot(), LeafKind::QAF);
    panes_->DisplayData(leaf);
    auto* protect = Child<QCheckBox>("Check1_2");
    QCOMPARE(protect->text(), QStringLiteral("Pass&word Protect Slide"));
    QStringList messages;
    NoteMessage(messages);
    WhenModal(QStringLiteral("frmPreferences"),
              [](QWidget* modal) { QMetaObject::invokeMethod(modal, "reject"); });
    protect->click();
    QCOMPARE(messages, QStringList{QStringLiteral(
                           "A password must be set before password protection can be enabled.")});
    QVERIFY(!protect->isChecked());
    QVERIFY(!doc_->Tree().Entry(leaf).Leaf->PasswordProtect());

    Child<QCheckBox>("Check1_1")->click();
    QVERIFY(doc_->Tree().Entry(leaf).Leaf->Highlight());
}

void ItemPanesTest::PreferencesAndTermDialogsStayOpenOnARefusal() {
    QStringList messages;
    QWidget* first = nullptr;
    bool refocused = false;
    WhenModal(QStringLiteral("frmPreferences"), [&](QWidget* modal) {
        first = modal;
        QCOMPARE(modal->windowTitle(), QStringLiteral("Settings for Dictionary"));
        modal->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("a"));
        modal->findChild<QLineEdit*>(QStringLiteral("txtPasswordAgain"))
            ->setText(QStringLiteral("b"));
        NoteMessage(messages, [&] {
            WhenModal(QStringLiteral("frmPreferences"), [&](QWidget* again) {
                auto* password = again->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
                refocused = again == first && again->focusWidget() == password;
                again->findChild<QLineEdit*>(QStringLiteral("txtPasswordAgain"))
                    ->setText(QStringLiteral("a"));
                QMetaObject::invokeMethod(again, "accept", Qt::QueuedConnection);
            });
        });
        QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
    });
    QVERIFY(doc_->EditPrefs());
    QCOMPARE(messages, QStringList{QStringLiteral("The passwords entered must be the same.")});
    QVERIFY(refocused);
    QCOMPARE(doc_->Properties().Password(), std::string("a"));

    messages.clear();
    QString caption, prompt;
    int cap = 0;
    bool sameDialog = false;
    WhenModal(QStringLiteral("frmTextQuestion"), [&](QWidget* modal) {
        caption = modal->windowTitle();
        prompt = modal->findChild<QLabel*>(QStringLiteral("lblPrompt"))->text();
        auto* entry = modal->findChild<QLineEdit*>(QStringLiteral("txtEntry"));
        cap = entry->maxLength();
        entry->setText(QStringLiteral("  "));
        NoteMessage(messages, [&, entry, modal] {
            WhenModal(QStringLiteral("frmTextQuestion"), [&, entry, modal](QWidget* again) {
                sameDialog = again == modal;
                entry->setText(QStringLiteral("Word"));
                QMetaObject::invokeMethod(again, "accept", Qt::QueuedConnection);
            });
        });
        QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
    });
    QCOMPARE(doc_->AskTerm(false), std::string("Word"));
    QCOMPARE(caption, QStringLiteral("Add New Term"));
    QCOMPARE(prompt, QStringLiteral("Enter New Term:"));
    QCOMPARE(cap, 255);
    QVERIFY2(sameDialog, "the dialog stays open");
    QCOMPARE(messages, QStringList{QStringLiteral("Term can not be blank.")});
}

void ItemPanesTest::ColourSplashAsksForItsCompanionAndShowsInViewImage() {
    const int root = doc_->Tree().GetNodeInfoIndexOfRoot();
    panes_->DisplayData(root);
    QStringList choices;
    WhenModal(QStringLiteral("frmChoiceQuestion"), [&](QWidget* modal) {
        choices << modal->windowTitle();
        for (int choice = 0; choice < 3; ++choice) {
            choices << modal->findChild<QPushButton*>(QStringLiteral("cmdChoice_%1").arg(choice))
                           ->text();
        }
        modal->findChild<QPushButton*>(QStringLiteral("cmdChoice_0"))->click();
    });
    QVERIFY(doc_->SetSplashPicture(WriteBmp("splash", 128, 60, true).toStdString()));
    QCOMPARE(choices, (QStringList{QStringLiteral("Add Monochrome Image (required)"),
                                   QStringLiteral("Auto Generate From Color"),
                                   QStringLiteral("Add Monochrome Image..."),
                                   QStringLiteral("Do Not Add Images")}));
    QVERIFY(!Child<QLabel>("picSplashColor")->pixmap().isNull());
    QVERIFY(!Child<QLabel>("picSplashMono")->pixmap().isNull());

    QStringList notes;
    const auto view = [&](QWidget* modal) {
        for (const char* name : {"picMono", "picColor"}) {
            auto* picture = modal->findChild<QLabel*>(QString::fromLatin1(name));
            notes << (picture->pixmap().isNull() ? picture->text() : QStringLiteral("drawn"));
        }
        QMetaObject::invokeMethod(modal, "reject");
    };
    WhenModal(QStringLiteral("frmViewImage"), view);
    Child<QPushButton>("cmdBitmap_2")->click();
    Child<QPushButton>("cmdBitmap_1")->click();
    WhenModal(QStringLiteral("frmViewImage"), view);
    Child<QPushButton>("cmdBitmap_2")->click();
    QCOMPARE(notes, (QStringList{QStringLiteral("drawn"), QStringLiteral("drawn"),
                                 QStringLiteral("No Monochrome Bitmap Available"),
                                 QStringLiteral("No Color Bitmap Available")}));

    // A slide's picture shows in its tab.
    const int leaf = AddLeaf(root, LeafKind::Bitmap);
    QVERIFY(doc_->SetLeafPicture(leaf, true, WriteBmp("slide", 160, 120, true).toStdString()));
    panes_->DisplayData(leaf);
    QCOMPARE(Child<QLabel>("picColor")->pixmap().size(), QSize(160, 120));
    QVERIFY(!Child<QLabel>("picMono")->pixmap().isNull());
}

QTEST_MAIN(ItemPanesTest)
#include "ItemPanesTest.moc"
