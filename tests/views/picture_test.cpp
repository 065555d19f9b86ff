#include <QAccessible>
#include <QImage>
#include <QLabel>

#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class PictureView : public ViewTest {
protected:
    void SetUp() override { open(); }
};

// The pictures are painted each time they are drawn rather than kept: what
// the window shows is the picture, and assistive technology still hears of a
// picture, by its name.
TEST_F(PictureView, PaintedPicturesShowAndReadAsPictures) {
    const struct {
        const char* control;
        int tab;
        const char* name;
    } pictures[] = {{"Image1", 0, "Vexmoor"}, {"Image2", 2, "Map picture"}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.control);
        showTab(picture.tab);
        auto* label = find<QLabel>(picture.control);
        ASSERT_TRUE(label);
        const QImage shown = label->grab().toImage();
        ASSERT_FALSE(shown.isNull());
        // The middle of either picture is painted, not the window's background.
        EXPECT_NE(shown.pixelColor(shown.width() / 2, shown.height() / 2), label->palette().window().color());
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
        ASSERT_TRUE(face);
        EXPECT_EQ(face->role(), QAccessible::Graphic);
        EXPECT_EQ(face->text(QAccessible::Name), picture.name);
    }
}

}  // namespace
}  // namespace vexmoor::testing
