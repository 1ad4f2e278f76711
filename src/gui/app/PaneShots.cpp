#include "gui/app/PaneShots.h"

#include <QDialog>
#include <QDir>
#include <QImage>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "gui/panes/ItemPanes.h"
#include "gui/windows/IDocumentWindow.h"
#include "gui/windows/MainWindow.h"

namespace trovique::gui {
namespace {

// The items of the sample slide show.
struct Sample {
    int root = 0;
    int node = 0;
    int qaf = 0;
    int fact = 0;
    int bitmap = 0;
    int locked = 0;
};

// A picture file of width x height: a sky, a ground and a sun, in colour or black and white.
std::string WritePicture(const QTemporaryDir& folder, const QString& name, int width, int height,
                         bool color) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool ground = y > height * 2 / 3;
            const int dx = x - width * 3 / 4;
            const int dy = y - height / 4;
            const bool sun = dx * dx + dy * dy < (height / 6) * (height / 6);
            QRgb pixel = ground ? qRgb(40, 140, 60) : sun ? qRgb(255, 204, 0) : qRgb(90, 160, 230);
            if (!color) {
                pixel = (ground || sun) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            }
            image.setPixel(x, y, pixel);
        }
    }
    const QString file = folder.filePath(name + QStringLiteral(".bmp"));
    // Black and white goes to the file at one bit per pixel, as a monochrome picture.
    (color ? image : image.convertToFormat(QImage::Format_Mono)).save(file, "BMP");
    return file.toStdString();
}

Sample FillSample(CDocument& doc, const QTemporaryDir& folder) {
    Sample sample;
    sample.root = doc.Tree().GetNodeInfoIndexOfRoot();
    doc.EditFieldText(sample.root, TextField::SlideShowTitle, "Quarterly Review");
    doc.EditFieldText(sample.root, TextField::SplashComments,
                      "Figures for the third quarter, region by region.");
    doc.EditFieldText(sample.root, TextField::AboutComments, "Finance team, room 4.12");
    doc.SetSplashPicture(WritePicture(folder, "splash", 128, 60, false));
    doc.Tree().Select(sample.root);
    sample.node = doc.AddNode();
    doc.EditFieldText(sample.node, TextField::NodeTitle, "Sales");
    doc.Tree().Select(sample.node);
    sample.qaf = doc.AddQAF();
    doc.ConvertLeaves({sample.qaf}, LeafKind::QAF);
    doc.EditFieldText(sample.qaf, TextField::LeafTitle, "Growth in the north");
    doc.EditFieldText(sample.qaf, TextField::Question, "By how much did sales grow up north?");
    const char* answers[] = {"12 %", "8 %", "3 %", "They fell"};
    for (int answer = 0; answer < 4; ++answer) {
        doc.EditFieldText(sample.qaf,
                          static_cast<TextField>(static_cast<int>(TextField::Answer1) + answer),
                          answers[answer]);
    }
    doc.Tree().Select(sample.node);
    sample.fact = doc.AddQAF();
    doc.ConvertLeaves({sample.fact}, LeafKind::Fact);
    doc.EditFieldText(sample.fact, TextField::LeafTitle, "Caf\u00e9 chain contract");
    doc.EditFieldText(sample.fact, TextField::Fact,
                      "The contract runs for three years.\r\nDeliveries start in March.");
    doc.Tree().Select(sample.node);
    sample.bitmap = doc.AddQAF();
    doc.ConvertLeaves({sample.bitmap}, LeafKind::Bitmap);
    doc.EditFieldText(sample.bitmap, TextField::LeafTitle, "Regional map");
    doc.SetLeafPicture(sample.bitmap, true, WritePicture(folder, "slide", 160, 120, true));
    doc.SetLeafSeeAlso(sample.qaf, 1, sample.fact);
    doc.Tree().Select(sample.node);
    sample.locked = doc.AddQAF();
    doc.EditFieldText(sample.locked, TextField::LeafTitle, "Salaries");
    return sample;
}

CDocument* NewSlideShow(MainWindow& main) {
    main.DoCmd(0, {});
    IDocumentWindow* window = main.ActiveDocument();
    return window ? &window->Document() : nullptr;
}

}  // namespace

void ShowPaneShot(MainWindow& main, const QString& which) {
    CDocument* doc = NewSlideShow(main);
    if (!doc) {
        return;
    }
    static QTemporaryDir folder;
    const Sample sample = FillSample(*doc, folder);
    auto* host = new QDialog(&main);
    host->setObjectName(QStringLiteral("frmPanes"));
    host->setWindowTitle(QStringLiteral("Panes"));
    host->setAttribute(Qt::WA_DeleteOnClose);
    auto* panes = new ItemPanes(*doc, host);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panes);
    host->resize(600, 560);
    int item = sample.root;
    if (which == QLatin1String("node")) {
        item = sample.node;
    } else if (which == QLatin1String("qaf") || which == QLatin1String("question")) {
        item = sample.qaf;
    } else if (which == QLatin1String("fact")) {
        item = sample.fact;
    } else if (which == QLatin1String("bitmap")) {
        item = sample.bitmap;
    } else if (which == QLatin1String("locked")) {
        item = sample.locked;
        doc->SetPrefs({"pw", "pw", false, false});
        doc->SetLeafSwitch(sample.locked, CDocument::LeafSwitch::PasswordProtect, true);
        doc->LockDB();
    }
    panes->DisplayData(item);
    if (which == QLatin1String("question")) {
        panes->FocusControl(DocumentControl::Question);
    } else if (which == QLatin1String("fact")) {
        if (auto* tabs = panes->findChild<QTabWidget*>(QStringLiteral("tsLeafData"))) {
            tabs->setCurrentIndex(tabs->indexOf(panes->FactTextBox()->parentWidget()));
        }
        panes->FactTextBox()->setFocus();
    } else if (which == QLatin1String("bitmap")) {
        panes->FocusControl(DocumentControl::ColorBitmapButton);
    }
    host->show();
}

void ShowPaneDialogShot(MainWindow& main, const QString& which) {
    CDocument* doc = NewSlideShow(main);
    if (!doc) {
        return;
    }
    static QTemporaryDir folder;
    if (which == QLatin1String("prefs")) {
        doc->EditPrefs();
    } else if (which == QLatin1String("password")) {
        doc->SetPrefs({"pw", "pw", false, false});
        doc->LockDB();
        doc->UnlockDB();
    } else if (which == QLatin1String("term")) {
        doc->AskTerm(false);
    } else if (which == QLatin1String("splash")) {
        doc->SetSplashPicture(WritePicture(folder, "splash", 128, 60, true));
    }
}

}  // namespace trovique::gui
