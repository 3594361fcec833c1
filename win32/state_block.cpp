#include "state_block.h"

// A named read-write data section of its own (not a shared one): the block
// stays private to each process that loads the library.
__attribute__((section(".shared"))) StateBlock stateBlock;
