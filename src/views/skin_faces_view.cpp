#include "views/skin_faces_view.h"

#include <map>
#include <memory>

#include <QIcon>
#include <QListView>
#include <QPainter>
#include <QPixmap>

#include "core/ports.h"
#include "gamefiles/skin_faces.h"
#include "platform/codec.h"
#include "views/list_model.h"

namespace vexmoor {

namespace {

// Twice the game's 32 pixels: every pixel of the face a square of four.
constexpr int kPreviewSide = 64;

}  // namespace

SkinFace skinFace(const std::string& gameDirectory, const std::string& model, const std::string& skin) {
    const auto face = readSkinFace(gameDirectory, model, skin);
    if (!face) {
        if (face.error().reason == kMissingFileReason) return {};
        return {{},
                QStringLiteral("The face cannot be shown: ") +
                    toQString(face.error().describe(), TextKind::Message) + '.'};
    }
    const Picture& picture = face.value();
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    const auto line = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.rgb.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * line),
                    line, image.scanLine(y));
    return {image, {}};
}

void showSkinFaces(QListView* list, SkinFolder folder) {
    auto* items = dynamic_cast<ListBoxItemModel*>(list->model());
    if (!items) return;
    const int side = list->fontMetrics().height() + 6;
    list->setIconSize(QSize(side, side));
    struct Face {
        QIcon icon;
        QString problem;
    };
    struct Faces {
        std::pair<std::string, std::string> folder;
        std::map<std::string, Face> shown;
    };
    auto faces = std::make_shared<Faces>();
    items->setRoles([faces, folder = std::move(folder)](const std::string& skin, int role) -> QVariant {
        if (role != Qt::DecorationRole && role != Qt::ToolTipRole && role != Qt::AccessibleDescriptionRole)
            return {};
        if (auto now = folder(); now != faces->folder) *faces = Faces{std::move(now), {}};
        auto known = faces->shown.find(skin);
        if (known == faces->shown.end()) {
            const SkinFace face = skinFace(faces->folder.first, faces->folder.second, skin);
            const QIcon icon = face.image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(face.image));
            known = faces->shown.emplace(skin, Face{icon, face.problem}).first;
        }
        const Face& face = known->second;
        if (role == Qt::DecorationRole) return face.icon.isNull() ? QVariant() : QVariant(face.icon);
        return face.problem.isEmpty() ? QVariant() : QVariant(face.problem);
    });
}

SkinPreview::SkinPreview(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("SkinPreview"));
    setAccessibleName(QStringLiteral("Skin preview"));
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(kPreviewSide + 2 * frameWidth(), kPreviewSide + 2 * frameWidth());
    setAlignment(Qt::AlignCenter);
}

void SkinPreview::showFace(const std::string& gameDirectory, const std::string& model,
                           const std::string& skin) {
    const auto [face, problem] = skinFace(gameDirectory, model, skin);
    const QString name = toQString(model + "/" + skin);
    setToolTip(problem);
    if (face.isNull()) {
        clear();
        setAccessibleDescription(!problem.isEmpty()              ? problem
                                 : model.empty() || skin.empty() ? QString()
                                                                 : QStringLiteral("No face for ") + name);
        return;
    }
    // Scaled by whole pixels, unsmoothed: the face keeps its pixels' edges.
    const qreal ratio = devicePixelRatioF();
    QPixmap shown = QPixmap::fromImage(
        face.scaled(QSize(kPreviewSide, kPreviewSide) * ratio, Qt::KeepAspectRatio, Qt::FastTransformation));
    shown.setDevicePixelRatio(ratio);
    setPixmap(shown);
    setAccessibleDescription(QStringLiteral("The face of ") + name);
}

void SkinPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QPixmap face = pixmap();
    if (face.isNull()) return;
    const QSize size = (QSizeF(face.size()) / face.devicePixelRatio()).toSize();
    QPainter painter(this);
    painter.drawPixmap(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size),
                       face);
}

}  // namespace vexmoor
