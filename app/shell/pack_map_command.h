#pragma once

class QWidget;

namespace shell {

class WorkspaceView;

// File > "Pack Map...": the saved map and everything it shows copied into a folder the user
// chooses (see pack::MapPack), with a progress dialog that can cancel between files, and a message
// that says where the pack is and what could not be copied.
//
// Thread: the user-interface thread.
class PackMapCommand {
public:
    explicit PackMapCommand(WorkspaceView& workspace) : workspace_(workspace) {}

    void run();

private:
    WorkspaceView& workspace_;
};

}  // namespace shell
