// CPlex: the block allocator behind the lists and maps. Nodes are carved from
// blocks of nBlockSize nodes each; the blocks are freed together.
#pragma once

#include "Defs.h"

#include <cstdint>
#include <cstdlib>

struct CPlex {
  CPlex* pNext;

  void* data() { return this + 1; }

  // Allocates a block of nMax elements of cbElement bytes and puts it in
  // front of the chain at pHead.
  static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement) {
    if (nMax == 0 || cbElement == 0 || nMax > (SIZE_MAX - sizeof(CPlex)) / cbElement) AfxThrowMemoryException();
    auto* p = static_cast<CPlex*>(malloc(sizeof(CPlex) + nMax * cbElement));
    if (p == nullptr) AfxThrowMemoryException();
    p->pNext = pHead;
    pHead = p;
    return p;
  }

  void FreeDataChain() {
    CPlex* p = this;
    while (p != nullptr) {
      CPlex* pNextBlock = p->pNext;
      free(p);
      p = pNextBlock;
    }
  }
};
