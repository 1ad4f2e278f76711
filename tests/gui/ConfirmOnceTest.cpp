// ConfirmOnce through the real frmMsgYN window: its names and captions, the answers, and the
// memory of the "Do not show this message again" box.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Messages.h"
#include "gui/ui/QtUserInterface.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

namespace {

struct Seen {
    QString caption, text, yes, no, box;
};

// Answers the next frmMsgYN: ticks the box when asked, then presses the button (or Escape).
void Answer(const QString& button, bool tick, Seen* seen = nullptr) {
    guitest::OnNextModal([=](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("frmMsgYN"));
        auto* box = modal->findChild<QCheckBox*>(QStringLiteral("chkNoShow"));
        if (seen) {
            *seen = {modal->windowTitle(),
                     modal->findChild<QLabel*>(QStringLiteral("lblText"))->text(),
                     modal->findChild<QPushButton*>(QStringLiteral("cmdYes"))->text(),
                     modal->findChild<QPushButton*>(QStringLiteral("cmdNo"))->text(), box->text()};
        }
        box->setChecked(tick);
        if (button.isEmpty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
        } else {
            modal->findChild<QPushButton*>(button)->click();
        }
    });
}

}  // namespace

class ConfirmOnceTest : public QObject {
    Q_OBJECT
private slots:
    void ShowsTheConfirmWindow();
    void AnswersAndMemory();
};

void ConfirmOnceTest::ShowsTheConfirmWindow() {
    MemorySettingsStore store;
    CQtUserInterface ui;
    CServices services{store, ui};
    Seen seen;
    Answer(QStringLiteral("cmdYes"), false, &seen);
    QVERIFY(ConfirmOnce(services, "Delete the node \xc3\xa9t\xc3\xa9?\r\nSure?", {}, ""));
    QCOMPARE(seen.caption, QStringLiteral("Norvane Trovique"));
    QCOMPARE(seen.text, QStringLiteral("Delete the node \u00e9t\u00e9?\nSure?"));
    QCOMPARE(seen.yes, QStringLiteral("&Yes"));
    QCOMPARE(seen.no, QStringLiteral("&No"));
    QCOMPARE(seen.box, QStringLiteral("Do not show this message again"));
}

void ConfirmOnceTest::AnswersAndMemory() {
    const struct {
        const char* button;  // empty: Escape
        bool tick;
        bool yes;
        bool remembered;
    } cases[] = {
        {"cmdYes", false, true, false},
        {"cmdNo", false, false, false},
        {"", false, false, false},
        {"cmdYes", true, true, true},
        // The box counts only with Yes: a No must not silence the question for good.
        {"cmdNo", true, false, false},
        {"", true, false, false},
    };
    const std::string title(kApplicationTitle);
    for (const auto& c : cases) {
        MemorySettingsStore store;
        CQtUserInterface ui;
        CServices services{store, ui};
        Answer(QString::fromLatin1(c.button), c.tick);
        QCOMPARE(ConfirmOnce(services, "Sure?", "Confirm", "DeleteNode"), c.yes);
        QVERIFY2(store.Get(title, "NoShowAgain", "DeleteNode").has_value() == c.remembered,
                 c.button);
        if (c.remembered) {
            // Silenced: answers Yes without a window (none is answered here).
            QVERIFY(ConfirmOnce(services, "Sure?", "Confirm", "DeleteNode"));
        }
        // An empty key neither consults nor stores the memory.
        Answer(QStringLiteral("cmdNo"), true);
        QVERIFY(!ConfirmOnce(services, "Sure?", "Confirm", ""));
    }
}

QTEST_MAIN(ConfirmOnceTest)
#include "ConfirmOnceTest.moc"
