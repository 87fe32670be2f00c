#include "module/part_ref_dialog.h"

#include "host/vx_editor.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"
#include "resources/resource_ids.h"

int lastDeleteInsertedPartRefs = 0;

winsys::DialogRequest CPartRefDialog::OnInitDialog() const {
    PdmLink& link = PdmLink::Instance();
    winsys::DialogRequest request;
    request.resourceId = IDD_PARTREF;
    request.caption = link.GetText(kTextPartRefDialogCaption);
    request.texts = {{IDC_PARTREF_QUESTION, link.GetText(kTextInsertPartRef)},
                     {IDC_PARTREF_DELETE_INSERTED, link.GetText(kTextDeleteInsertedPartRefs)},
                     {winsys::kIdOk, link.GetText(kTextInsertButton)},
                     {winsys::kIdCancel, link.GetText(kTextDoNotInsertButton)}};
    request.checkBoxId = IDC_PARTREF_DELETE_INSERTED;
    request.checked = lastDeleteInsertedPartRefs != 0;
    return request;
}

void CPartRefDialog::OnClose(bool checked) {
    deleteInsertedPartRefs = checked ? 1 : 0;
    lastDeleteInsertedPartRefs = deleteInsertedPartRefs;
}

int CPartRefDialog::DoModal() {
    const winsys::DialogOutcome outcome =
        winsys::runModalDialog(vxsw_vexaMainWnd(), OnInitDialog());
    if (outcome.result == winsys::kIdOk || outcome.result == winsys::kIdCancel) {
        OnClose(outcome.checked);
    }
    return outcome.result;
}
