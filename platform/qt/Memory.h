#pragma once

// Large blocks (a page image, its copies for the printer and the preview)
// each get pages of their own from the system, which go back the moment the
// block is freed. Otherwise the allocator raises its threshold after the
// first such block and carves the next ones out of its heap, where what is
// freed stays with the program. Called once, before the first window.
void KeepLargeBlocksApart();
