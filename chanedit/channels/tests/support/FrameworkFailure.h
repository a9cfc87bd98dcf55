// The framework raises its failures as heap objects; a test that expects one
// catches it, frees it and names the class it wanted.
#pragma once

#include <gtest/gtest.h>

#include <Framework.h>

template <class TException, class Call>
testing::AssertionResult Raises(Call call) {
  try {
    call();
  } catch (CException* e) {
    const bool expected = e->IsKindOf(TException::GetThisClass()) != 0;
    const char* raised = e->GetRuntimeClass()->m_lpszClassName;
    e->Delete();
    if (expected) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "raised " << raised;
  }
  return testing::AssertionFailure() << "raised nothing";
}
