// SPDX-License-Identifier: MIT
#include "Faces.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRawFont>
#include <QTextStream>

#include "window/FaceSubstitutes.h"
#include "window/qt/Fonts.h"

namespace wordrop::testing {
namespace {

// One line a face: its family and weight, the family Qt found for it, and a digest of the
// file's 'head' table, which holds the whole file's checksum, its revision and its dates.
QStringList facesInstalled() {
    QStringList lines;
    for (const char* designed :
         {"Times New Roman", "Courier New", "Garamond", "Comic Sans MS", "Georgia"}) {
        const auto substitute = window::substituteFor(designed);
        if (!substitute) continue;
        for (const auto weight : {window::FontWeight::Normal, window::FontWeight::Bold}) {
            const window::Font font{substitute->family, 20, weight};
            const QRawFont raw = QRawFont::fromFont(window::qt::qtFont(font));
            const QByteArray digest =
                QCryptographicHash::hash(raw.fontTable("head"), QCryptographicHash::Sha256);
            lines << QStringLiteral("%1 %2: %3 %4")
                         .arg(QString::fromUtf8(substitute->family.data(),
                                                qsizetype(substitute->family.size())),
                              weight == window::FontWeight::Bold ? "bold" : "normal",
                              raw.familyName(), QString::fromLatin1(digest.toHex().left(16)));
        }
    }
    return lines;
}

}  // namespace

std::optional<std::string> facesDifferFromGoldens() {
    QFile file(QDir(QStringLiteral(WORDROP_GOLDEN_DIR)).filePath(QStringLiteral("faces.txt")));
    const QStringList installed = facesInstalled();
    if (qEnvironmentVariableIsSet("WORDROP_REDRAW_GOLDENS")) {
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream(&file) << installed.join('\n') << '\n';
        }
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly))
        return "no record of the faces in " + file.fileName().toStdString();
    const QStringList expected = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::max(expected.size(), installed.size()); ++i) {
        const QString want = i < expected.size() ? expected[i] : QString();
        const QString have = i < installed.size() ? installed[i] : QString();
        if (want != have) {
            return "drawn with other faces than the goldens: expected '" + want.toStdString() +
                   "', found '" + have.toStdString() + "'";
        }
    }
    return std::nullopt;
}

}  // namespace wordrop::testing
