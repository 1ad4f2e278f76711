// The automatic conversion with the real windows: the destination window, the file dialogs,
// the progress window and the stand-in Palm install tool, on the Cancel, Save and HotSync
// roads. The presentation is played by a small source of two plain slides.

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "core/delivery/AutoImportExportInstall.h"
#include "core/delivery/HotSyncInstall.h"
#include "core/editor/Document.h"
#include "core/import/PresentationSource.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/RegAPI.h"
#include "core/settings/Application.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/ui/TopMost.h"
#include "platform/ProcessRunner.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;
namespace fs = std::filesystem;

namespace {

class TwoSlideSource : public IPresentationSource {
public:
    void Open(const fs::path& file) override { opened.push_back(file); }
    std::size_t SlideCount() const override { return 2; }
    SlideContent Slide(std::size_t number) override {
        return {{SlideShape{true, "Slide " + std::to_string(number)}}, {}};
    }
    std::optional<RenderedSlide> Render(std::size_t number, int width, int height) override {
        RenderedSlide slide{width, height, {}};
        slide.rgb.assign(static_cast<std::size_t>(width) * height * 3,
                         static_cast<std::uint8_t>(number * 90));
        return slide;
    }
    void Close() override {}
    std::vector<fs::path> opened;
};

// Notes its arguments and keeps a copy of the database, after a moment in which the test
// looks at the progress window.
constexpr const char* kInstallTool = R"sh(#!/bin/sh
here=$(dirname "$0")
for file in "$@"; do printf '%s\n' "$file" >> "$here/args"; done
cp "$2" "$here/received.pdb"
sleep 0.3
)sh";

void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// Never raises, so that a missing file fails the check instead of the whole suite.
std::uintmax_t SizeOf(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    return error ? 0 : size;
}

bool IsEmptyFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_empty(folder, error) && !error;
}

QString Listing(const fs::path& folder) {
    QStringList names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names << QString::fromStdString(entry.path().filename().string());
    }
    return names.join(' ');
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Answers the next file dialog with path, noting its caption and the file it proposed.
void ChooseInNextFileDialog(const QString& path, QString* caption, QString* proposed) {
    guitest::OnNextModal([=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        *caption = dialog->windowTitle();
        *proposed = dialog->selectedFiles().value(0);
        // Typed into the name box, as a user would: the dialog's own selection of the proposed
        // name may still arrive while it loads the folder.
        dialog->selectFile(path);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(path);
        }
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

class AutomaticRunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void CancelEndsBeforeTheImport();
    void SaveWritesTheChosenFile();
    void HotSyncHandsTheDatabaseToTheInstallTool();

private:
    bool Run(std::string presentation);
    fs::path Dir(const char* name) const { return fs::path(scratch_->path().toStdString()) / name; }

    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<MemorySettingsStore> store_;
    std::unique_ptr<CQtUserInterface> ui_;
    TwoSlideSource source_;
};

void AutomaticRunTest::initTestCase() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void AutomaticRunTest::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<MemorySettingsStore>();
    ui_ = std::make_unique<CQtUserInterface>();
    source_.opened.clear();
    for (const char* folder : {"program/DATA", "files", "tmp", "palm"}) {
        fs::create_directories(Dir(folder));
    }
    for (const char* palette : {"Palm256Color.pal", "PalmMonochrome.pal", "Palm4Color.pal"}) {
        fs::copy_file(guitest::BinDir() / palette, Dir("program") / palette);
    }
    WriteFile(Dir("program") / "DATA" / "TROVIQUE.PRC", "viewer");
    WriteFile(Dir("files") / "Talk.ppt", "ppt");
}

bool AutomaticRunTest::Run(std::string presentation) try {
    CServices services{*store_, *ui_};
    CApplication application(*store_, Dir("program"));
    CDocument document(services, application.Palettes());
    CProcessRunner runner;
    DeliveryContext context{application, source_, runner, Dir("tmp").string(), {}};
    return AutoImportExportInstall(document, context, presentation);
} catch (const std::exception& error) {
    QTest::qFail(error.what(), __FILE__, __LINE__);
    return false;
}

void AutomaticRunTest::CancelEndsBeforeTheImport() {
    // "##__TQASK.NOEXT" asks for the presentation first.
    QString caption, proposed;
    ChooseInNextFileDialog(QString::fromStdString((Dir("files") / "Talk.ppt").string()), &caption,
                           &proposed);
    QTimer::singleShot(0, [] { guitest::ClickInNextModal(QStringLiteral("cmdAction_2")); });
    QVERIFY(!Run(kAskForPresentation));
    QCOMPARE(caption, QStringLiteral("Open PowerPoint File"));
    QVERIFY(source_.opened.empty());
    QVERIFY(IsEmptyFolder(Dir("tmp")));
    QVERIFY(!ui_->ProgressView().isVisible());
}

void AutomaticRunTest::SaveWritesTheChosenFile() {
    const fs::path out = Dir("files") / "Show.pdb";
    QString caption, proposed;
    guitest::OnNextModal([&](QWidget* modal) {
        ChooseInNextFileDialog(QString::fromStdString(out.string()), &caption, &proposed);
        modal->findChild<QPushButton*>(QStringLiteral("cmdAction_1"))->click();
    });
    QVERIFY(Run((Dir("files") / "Talk.ppt").string()));
    QCOMPARE(caption, QStringLiteral("Export"));
    QCOMPARE(fs::path(proposed.toStdString()), Dir("files") / "Talk.pdb");
    QVERIFY2(SizeOf(out) > 0, qPrintable(Listing(Dir("files"))));
    QCOMPARE(source_.opened.size(), std::size_t{1});
    QVERIFY(IsEmptyFolder(Dir("tmp")));
    QVERIFY(!ui_->ProgressView().isVisible());
}

void AutomaticRunTest::HotSyncHandsTheDatabaseToTheInstallTool() {
    WriteFile(Dir("palm") / "InstApp", kInstallTool);
    fs::permissions(Dir("palm") / "InstApp", fs::perms::owner_all);
    CRegAPI registry(*store_);
    registry.SetRootKey(CRegAPI::kHKeyCurrentUser);
    registry.SetBasePath(kPalmDesktopBasePath);
    registry.SaveSetting(kPalmDesktopApplication, kPalmDesktopSection, kPalmDesktopPathKey,
                         Dir("palm").string());

    // What the progress window looks like while the install tool runs.
    ProgressWindow& progress = ui_->ProgressView();
    bool sawWait = false, cancelEnabled = true, topMost = true;
    int top = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const auto* label = progress.findChild<QLabel*>(QStringLiteral("lblText"));
        if (progress.isVisible() && label->text().endsWith("close Palm Install Tool.")) {
            sawWait = true;
            cancelEnabled = progress.findChild<QPushButton*>("cmdCancel")->isEnabled();
            topMost = IsTopMost(progress);
            top = progress.frameGeometry().top();
        }
    });
    watch.start(20);
    guitest::ClickInNextModal(QStringLiteral("cmdAction_0"));
    QVERIFY(Run((Dir("files") / "Talk.ppt").string()));
    QVERIFY(sawWait);
    QVERIFY(!cancelEnabled);
    QVERIFY(!topMost);
    QCOMPARE(top, 0);
    const fs::path tmp = Dir("tmp");
    QCOMPARE(ReadFile(Dir("palm") / "args"),
             (tmp / "TROVIQUE.PRC").string() + "\n" + (tmp / "Talk.PDB").string() + "\n");
    QVERIFY(SizeOf(Dir("palm") / "received.pdb") > 0);
    QVERIFY(IsEmptyFolder(tmp));
    QVERIFY(!progress.isVisible());
}

QTEST_MAIN(AutomaticRunTest)
#include "AutomaticRunTest.moc"
