#pragma once

#include <functional>
#include <string>
#include <utility>

#include <QImage>
#include <QLabel>
#include <QString>

class QListView;

namespace vexmoor {

// A skin's face (its "<skin>_i.pcx") as an image, null when there is none
// to show; and when its picture cannot be read, why: "The face cannot be
// shown: <file>: <reason>." A skin without a face has no reason.
struct SkinFace {
    QImage image;
    QString problem;
};
SkinFace skinFace(const std::string& gameDirectory, const std::string& model, const std::string& skin);

// The entries of a list of skins show their faces as icons, and the reason
// a face cannot be shown as their tooltip and accessible description.
// `folder` gives the game directory and the model whose skins the list
// holds; each face is read when its entry is first drawn, and again after
// the model changed.
using SkinFolder = std::function<std::pair<std::string, std::string>()>;
void showSkinFaces(QListView* list, SkinFolder folder);

// The face of the skin shown, larger (SkinPreview, "Skin preview"); empty
// for a skin without one, with the reason as tooltip and accessible
// description when its picture cannot be read.
class SkinPreview : public QLabel {
public:
    explicit SkinPreview(QWidget* parent = nullptr);
    void showFace(const std::string& gameDirectory, const std::string& model, const std::string& skin);

protected:
    // The face keeps its colours in a frame disabled for browsing: it is the bot's own, not a choice.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vexmoor
