#pragma once

#include "app/shell/main_frame.h"
#include "app/shell/workspace_view.h"
#include "tests/support/registered_components.h"
#include "tests/support/scripted_shell_services.h"
#include "tests/support/temporary_directory.h"

#include <QString>
#include <functional>
#include <memory>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace shell_test {

// A test of the program's window: the real frame and workspace over the component library, every
// dialog answered by the scripted shell, and maps made in a folder of the test's own. The frame is
// made in SetUp, with the welcome of a first start turned off, so a test that wants something else
// in the registry first calls recreateFrame().
class WindowTest : public test_support::ComponentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Drops the frame (without a close request) and makes a new one, as the next start would.
    void recreateFrame();

    shell::MainFrame& frame() { return *frame_; }
    shell::WorkspaceView& workspace() { return frame_->workspace(); }

    // A file in the test's folder.
    QString path(const QString& name) const;
    // A map saved as `name` with a map picture of its own and `photoSpots` photo spots, one picture
    // each; further spots link to `linkedMaps`, in order after the photo spots.
    QString saveMap(const QString& name, int photoSpots, const QStringList& linkedMaps = {});
    // A map saved without a map picture.
    QString saveMapWithoutPicture(const QString& name);
    int spotCount();
    // The spots of the map saved at `file`, -1 when it cannot be loaded.
    static int spotsSavedIn(const QString& file);
    bool dirty();
    void makeDirty();
    // The index of the current spot, -1 for none.
    int currentSpotIndex();

    // Runs `answer` on the dialog of type T as soon as it is the active modal window.
    template <class T>
    static void whenModal(std::function<void(T&)> answer);
    static void whenModalWidget(std::function<bool(QWidget&)> answer);

    test_support::ScriptedShellServices shell_;
    test_support::TemporaryDirectory folder_;

private:
    QString picture();

    std::unique_ptr<shell::MainFrame> frame_;
    QString picture_;
};

template <class T>
void WindowTest::whenModal(std::function<void(T&)> answer)
{
    whenModalWidget([answer](QWidget& widget) {
        T* dialog = qobject_cast<T*>(&widget);
        if (!dialog) return false;
        answer(*dialog);
        return true;
    });
}

}  // namespace shell_test
