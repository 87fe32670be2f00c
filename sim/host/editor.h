// The stand-in host's editor: the reactors attached to it, in attach order. It lives for
// the whole process; the system registry hands it out under "VxEditor".
#pragma once

#include <functional>
#include <vector>

#include "host/vx_editor.h"

namespace sim {

class Editor final : public VxEditor {
  public:
    void addReactor(VxRxEventReactor* reactor) override;
    void removeReactor(VxRxEventReactor* reactor) override;

    // Calls event on every attached reactor in attach order; a reactor detached by an
    // earlier one during the delivery is skipped.
    void forEachEventReactor(const std::function<void(VxRxEventReactor&)>& event);
    // The same, for the reactors that are editor reactors.
    void forEachEditorReactor(const std::function<void(VxEditorReactor&)>& event);
    const std::vector<VxRxEventReactor*>& reactors() const { return reactors_; }

  private:
    std::vector<VxRxEventReactor*> reactors_;
};

Editor& editor();

}  // namespace sim
