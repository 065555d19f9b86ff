// Drag and drop in the map cycle editor, with the mouse: an entry dragged
// within the cycle moves and stays chosen, a known map dragged into it goes
// in where it is let go, and both come out as the buttons would have left them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QTest>
#include <QWindow>

#include "options/map_cycle_edit_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class MapCycleDrag : public ViewTest {
protected:
    // Where a row of a list is, in its window: its upper or lower half.
    static QPoint at(QListView* list, int row, bool lowerHalf) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        const QPoint point(rect.center().x(), lowerHalf ? rect.bottom() - 2 : rect.top() + 2);
        return list->viewport()->mapTo(list->window(), point);
    }

    // Presses, moves past the drag distance, on to the target and lets go,
    // as a hand on the mouse does, through the window as the system would.
    static void drag(QWindow* window, QPoint from, QPoint to) {
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, from);
        const int away = QApplication::startDragDistance() + 2;
        QTest::mouseMove(window, from + QPoint(away, away));
        QTest::mouseMove(window, (from + to) / 2);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, to);
        settle();
    }
};

TEST_F(MapCycleDrag, DraggingMovesWithinTheCycleAndBringsKnownMapsInAsTheButtonsDo) {
    game.withMapCycle("q2dm1\r\nq2dm2\r\nq2dm3\r\n");
    QWidget* editor = openEditor(2, "EditMapCycleButton");
    ASSERT_NE(editor, nullptr);
    auto& form = *dynamic_cast<MapCycleEditForm*>(main->editor());
    auto* available = editor->findChild<QListView*>("MapsAvailableList");
    auto* cycle = editor->findChild<QListView*>("MapsSelectedList");
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    QWindow* handle = editor->windowHandle();

    // The first entry, dropped on the lower half of the last, goes last and stays chosen.
    drag(handle, at(cycle, 0, false), at(cycle, 2, true));
    EXPECT_EQ(form.MapsSelectedList.items(), (std::vector<std::string>{"q2dm2", "q2dm3", "q2dm1"}));
    EXPECT_TRUE(rowSelected(cycle, 2));

    // "base1" from the known maps, dropped on the upper half of the second
    // entry, goes in before it, as Insert puts it before the insertion point.
    const int base1 = static_cast<int>(rowsOf(available).indexOf("base1"));
    drag(handle, at(available, base1, false), at(cycle, 1, false));
    EXPECT_EQ(form.MapsSelectedList.items(), (std::vector<std::string>{"q2dm2", "base1", "q2dm3", "q2dm1"}));
    EXPECT_EQ(form.MapsSelectedList.selectedText(), "q2dm3");
    // Dragging took the map along and chose no range of the maps it passed.
    EXPECT_EQ(form.MapsAvailableList.selectedItems(), std::vector<std::string>{"base1"});

    // Below the last entry it is added at the end, and the warning line
    // names the map now listed twice, as after Add. The point is a row below
    // the last entry, not the list's foot: the map's plan, read on a thread,
    // may come in during the drag and shorten the lists.
    const QRect last = cycle->visualRect(cycle->model()->index(cycle->model()->rowCount() - 1, 0));
    drag(handle, at(available, base1, false),
         cycle->viewport()->mapTo(editor, last.bottomLeft() + QPoint(5, last.height())));
    EXPECT_NE(form.WarningLabel.caption().find("base1"), std::string::npos);

    // Escape while dragging lets nothing go in.
    const std::vector<std::string> before = form.MapsSelectedList.items();
    dialogs.shown.clear();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, at(available, base1, false));
    QTest::mouseMove(handle, at(cycle, 0, true));
    QTest::mouseMove(handle, at(cycle, 1, true));
    QTest::keyClick(available, Qt::Key_Escape);
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, at(cycle, 1, true));
    EXPECT_EQ(form.MapsSelectedList.items(), before);
    EXPECT_TRUE(dialogs.shown.empty());  // the window's own Escape did not run

    form.CommitButton.click();
    EXPECT_EQ(readBytes(game.root() / "eraser" / "maps.txt"), "q2dm2\r\nbase1\r\nq2dm3\r\nq2dm1\r\nbase1\r\n");
}

}  // namespace
}  // namespace vexmoor::testing
