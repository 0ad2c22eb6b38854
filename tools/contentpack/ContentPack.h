// The default content pack: what make-content-pack writes into the
// "Content" folder beside the plug-in modules and the dapple command.
//
//   Tubes/     Stars, Leaves, Hearts, Bubbles, Flowers (*.tub)
//   Frames/    Wooden, Gilded, Modern (*.rfr)
//   Tiles/     Mosaic (*.ptl)
//   Textures/  Canvas, Paper, Brick, Stucco (*.jpg)
#pragma once

#include <string>

// Draws the pack and writes it into `folder`, replacing what is there only
// once the whole pack is written. Empty on success, else what went wrong.
std::string WriteContentPack(const std::string& folder);

// Reads the pack in `folder` back with the effects' readers and writes
// pictures of it into `sheets`: every tube's cells, every frame put
// together, the tiles and a mosaic made of them, every texture tiled and
// lit. Empty on success, else what went wrong.
std::string WritePackSheets(const std::string& folder, const std::string& sheets);
