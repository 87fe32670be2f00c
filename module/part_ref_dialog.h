// CPartRefDialog: the modal dialog (resource 210) that asks, after a drawing insertion,
// whether to insert a part reference and whether to delete the part references that came in
// with the inserted drawing.
//
// The check box opens in the state the previous showing left (lastDeleteInsertedPartRefs,
// kept while the module stays loaded). Its texts come from the PDM catalogue.
#pragma once

#include "host/winsys.h"

// The check box's state when the dialog last closed with a button; 0 when the module loads.
extern int lastDeleteInsertedPartRefs;

class CPartRefDialog {
  public:
    CPartRefDialog() = default;
    CPartRefDialog(const CPartRefDialog&) = delete;
    CPartRefDialog& operator=(const CPartRefDialog&) = delete;

    // Shows the dialog until a button closes it: 1 for OK, 2 for Cancel (also Escape and the
    // close box), -1 when the dialog cannot be created (deleteInsertedPartRefs keeps 0 then).
    // The host's main window owns it, as the framework gives a dialog without a parent: the
    // host takes no input meanwhile, so no other command can run in the middle of this one.
    int DoModal();

    int deleteInsertedPartRefs = 0;  // bound to check box 203

  private:
    // The request the window system opens the dialog with: catalogue texts in place of the
    // resource's, the check box in the state of the previous showing.
    winsys::DialogRequest OnInitDialog() const;
    // Both buttons read the check box and remember it for the next showing.
    void OnClose(bool checked);
};
