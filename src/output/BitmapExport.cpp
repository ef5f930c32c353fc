// The bitmap export: the plot drawn again at a chosen pixel size, with the
// axis strips and an optional reference-vector legend, saved as a Windows
// bitmap; afterwards the window is laid out and drawn as before.

#include <QAction>
#include <QCheckBox>
#include <QIODevice>
#include <QImage>
#include <QImageWriter>
#include <QMenu>
#include <QPainter>
#include <new>

#include "AtomicFile.h"
#include "BitmapExport.h"
#include "Numbers.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "output/frmPicSize.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

// Streams the encoded image into the temporary file of an atomic writer, so
// that a large bitmap is never held twice in memory.
class AtomicWriterDevice : public QIODevice {
public:
    explicit AtomicWriterDevice(AtomicFileWriter &writer) : writer_(writer) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override {
        return writer_.Write(data, static_cast<size_t>(size)) ? size : -1;
    }

private:
    AtomicFileWriter &writer_;
};

SaveResult SaveBmp(const QImage &image, const std::string &target) {
    AtomicFileWriter writer;
    if (!writer.Open(target)) return SaveResult::OpenFailed;
    AtomicWriterDevice device(writer);
    QImageWriter out(&device, "bmp");
    if (!out.write(image)) return SaveResult::WriteFailed;  // the writer removes its temporary file
    device.close();
    return writer.Commit();
}

// The legend is wanted for one redraw only, whichever way the command ends.
struct RefVelocityReset {
    VectorDocument &doc;
    ~RefVelocityReset() { doc.RefVelocity = 0; }
};

}  // namespace

void frmVectorTable::BuildBitmapExportItems() {
    if (!mnuExport) return;
    AddItem(mnuExport, "mnuExportVectorfieldAsBitmap", QStringLiteral("Vektorfeld als &Bitmap"),
            &frmVectorTable::mnuExportVectorfieldAsBitmap_Click);
}

void frmVectorTable::mnuExportVectorfieldAsBitmap_Click() {
    double w = 0, h = 0;
    {
        frmPicSize dlg(this);
        User().ShowModal(&dlg);
        if (!dlg.ClickedOk()) return;
        w = ParseNumber(dlg.txtxSize->text().toStdString());
        h = ParseNumber(dlg.txtySize->text().toStdString());
        // the typed decimal comma has become a point already
        doc.RefVelocity = ParseNumber(dlg.txtRefVecAbs->text().toStdString());
        doc.RefTop = dlg.chkRefTop->isChecked();
        doc.RefLeft = dlg.chkRefLeft->isChecked();
    }
    RefVelocityReset reset{doc};

    if (!frame_) return;
    CommonDialog &cd = frame_->CommonDlg();
    cd.Filter = QStringLiteral("Bitmap (*.bmp)|*.bmp");
    cd.FilterIndex = 1;
    cd.FileName = FileNameFromBytes(BitmapDefaultName(doc.FilePath));
    cd.Flags = 6;
    cd.DialogTitle = QStringLiteral("Bitmap exportieren");
    if (!cd.ShowSave()) return;
    WaitCursor busy;
    const std::string target = BitmapTargetPath(FilePathBytes(cd.FileName));
    if (!MayWriteTarget(cd, target)) return;

    // Only sizes that four digits can give are drawn; anything else (an
    // exponent pasted into a box) and a bitmap the memory cannot hold is
    // refused before the window is touched.
    const auto wi = RoundToInt32(w), hi = RoundToInt32(h);
    QImage bitmap;
    if (wi && hi && *wi >= 1 && *hi >= 1 && *wi <= 9999 && *hi <= 9999) bitmap = QImage(*wi, *hi, QImage::Format_RGB32);
    if (bitmap.isNull()) {
        MessageBox(BitmapTooLargeMessage());
        return;
    }
    // a fresh picture holds its background colour where nothing is copied
    bitmap.fill(Qt::white);

    imgVectorfield->hide();
    imgXAxis->hide();
    imgYAxis->hide();
    const int yAxisWidth = imgYAxis->width(), xAxisHeight = imgXAxis->height();
    const BitmapLayout L =
        ComputeBitmapLayout(*wi, *hi, doc.View.ShowCoordSystem, imgYAxis->ScaleWidth(), imgXAxis->ScaleHeight(),
                            PictureBox::TwipsPerPixelX(), PictureBox::TwipsPerPixelY());
    auto restore = [&] {
        imgYAxis->resize(yAxisWidth, imgYAxis->height());
        imgXAxis->resize(imgXAxis->width(), xAxisHeight);
        doc.RefVelocity = 0;
        Form_Resize();
    };

    bool drawn = false;
    try {
        if (L.WithAxes) {
            imgYAxis->resize(L.YAxis.W, L.YAxis.H);
            imgXAxis->resize(L.XAxis.W, L.XAxis.H);
        }
        imgVectorfield->resize(L.Plot.W, L.Plot.H);
        // While the plot is switched off the renderer leaves the pictures as
        // they were; the bitmap then shows them empty, not an older layout.
        imgVectorfield->Cls();
        if (L.WithAxes) {
            imgYAxis->Cls();
            imgXAxis->Cls();
        }
        DrawVectorfield();
        doc.RefVelocity = 0;
        const QImage &plot = imgVectorfield->Image();
        drawn = plot.size() == QSize(L.Plot.W, L.Plot.H);
        if (drawn) {
            QPainter p(&bitmap);
            p.drawImage(L.Plot.X, L.Plot.Y, plot);
            if (L.WithAxes) {
                p.drawImage(L.YAxis.X, L.YAxis.Y, imgYAxis->Image());
                p.drawImage(L.XAxis.X, L.XAxis.Y, imgXAxis->Image());
            }
            QPen pen(Qt::black);
            pen.setWidth(0);
            pen.setStyle(Qt::SolidLine);
            p.setPen(pen);
            const int x0 = L.FrameLeft, y0 = L.FrameTop, x1 = L.FrameRight, y1 = L.FrameBottom;
            p.drawLine(x0, y0, x1, y0);
            p.drawLine(x1, y0, x1, y1);
            p.drawLine(x1, y1, x0, y1);
            p.drawLine(x0, y1, x0, y0);
        }
    } catch (const std::bad_alloc &) {
        drawn = false;
    }
    if (!drawn) {
        bitmap = QImage();
        restore();
        MessageBox(BitmapTooLargeMessage());
        return;
    }

    const SaveResult saved = SaveBmp(bitmap, target);
    bitmap = QImage();
    if (saved != SaveResult::Ok) {
        MessageBox(BitmapSaveErrorMessage());
        restore();
        return;
    }
    restore();
    MessageBox(BitmapSavedMessage());
}

}  // namespace sx
