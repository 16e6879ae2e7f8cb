#pragma once

#include <QImage>

// The two icons of the file browser's cells, drawn by the program itself: the sound icon (bitmap
// 202, 112 x 108) and the folder icon (bitmap 205, 40 x 41). Each is drawn once and shared.
//
// Thread: the user-interface thread.
namespace browser {

const QImage& SoundIcon();
const QImage& FolderIcon();

}  // namespace browser
