// The colour settings command of the document window.

#include "ColorSettings.h"
#include "Numbers.h"
#include "document/DocumentFrame.h"
#include "document/frmVectorTable.h"
#include "platform/CommonDialog.h"
#include "platform/UserInteraction.h"
#include "plot/frmEditColors.h"

namespace sx {

void frmVectorTable::mnuEditColors_Click() {
    const ValueExtremes extremes = BackgroundExtremes(doc);
    bool canceled = true;
    {
        frmEditColors dialog(frame_ ? &frame_->CommonDlg() : nullptr, this);
        for (int k = 0; k < ColorCount; ++k) dialog.Box(k)->SetColor(doc.Colors[k]);
        dialog.txtMaxValue->setText(QString::fromStdString(StrNumber(doc.BackMaxValue)));
        dialog.txtNullValue->setText(QString::fromStdString(StrNumber(doc.BackNullValue)));
        dialog.txtMinValue->setText(QString::fromStdString(StrNumber(doc.BackMinValue)));
        dialog.MaxValue = extremes.Max;
        dialog.MinValue = extremes.Min;
        dialog.SetButtonTips();
        User().ShowModal(&dialog);
        canceled = dialog.Canceled;
        if (!canceled) {
            for (int k = 0; k < ColorCount; ++k) doc.Colors[k] = dialog.Box(k)->Color();
            doc.BackMaxValue = ParseNumber(dialog.txtMaxValue->text().toStdString());
            doc.BackNullValue = ParseNumber(dialog.txtNullValue->text().toStdString());
            doc.BackMinValue = ParseNumber(dialog.txtMinValue->text().toStdString());
            MarkModified();
        }
    }
    if (!canceled) DrawVectorfield();
}

}  // namespace sx
