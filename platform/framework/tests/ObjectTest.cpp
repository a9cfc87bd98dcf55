#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
 public:
  static int s_nCreated;
  CCircle() { ++s_nCreated; }
};
IMPLEMENT_DYNCREATE(CCircle, CShape)
int CCircle::s_nCreated = 0;

TEST(CRuntimeClass, KindsAndCasts) {
  CCircle circle;
  CShape shape;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");
  EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_nObjectSize, static_cast<int>(sizeof(CCircle)));
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, &circle), &circle);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, &shape), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(nullptr)), nullptr);
  EXPECT_EQ(STATIC_DOWNCAST(CShape, &circle), &circle);
  EXPECT_FALSE(shape.IsSerializable());
  CTestPoint point;
  EXPECT_TRUE(point.IsSerializable());
}

TEST(CRuntimeClass, CreationByClassAndByName) {
  CCircle::s_nCreated = 0;
  CObject* p = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CCircle)));
  delete p;
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);  // no creator
  EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
  EXPECT_EQ(CRuntimeClass::FromName("CTestPoint"), RUNTIME_CLASS(CTestPoint));
  EXPECT_EQ(CRuntimeClass::FromName("CFileException"), RUNTIME_CLASS(CFileException));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("ccircle"), nullptr);  // exact names only
  p = CRuntimeClass::CreateObject("CCircle");
  ASSERT_NE(p, nullptr);
  delete p;
  EXPECT_EQ(CCircle::s_nCreated, 2);
  EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}

TEST(CException, HeapObjectsDeletedByTheCatcher) {
  try {
    AfxThrowFileException(CFileException::fileNotFound, 2, "missing.qcx");
  } catch (CException* e) {
    ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    CFileException* fe = static_cast<CFileException*>(e);
    EXPECT_EQ(fe->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(fe->m_lOsError, 2);
    char text[128];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
    EXPECT_NE(strstr(text, "missing.qcx"), nullptr);
    char tiny[6];
    EXPECT_TRUE(e->GetErrorMessage(tiny, sizeof(tiny)));
    EXPECT_EQ(strlen(tiny), 5u);  // truncated, terminated
    e->Delete();
  }
  // The memory exception is preallocated: Delete leaves it alone.
  CMemoryException* pFirst = nullptr;
  for (int i = 0; i < 2; ++i) {
    try {
      AfxThrowMemoryException();
    } catch (CMemoryException* e) {
      if (pFirst == nullptr) pFirst = e;
      EXPECT_EQ(e, pFirst);
      e->Delete();
    }
  }
  struct Row {
    void (*raise)();
    CRuntimeClass* kind;
  };
  const Row rows[] = {
      {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
      {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
      {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
      {[] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
      {[] { AfxThrowArchiveException(CArchiveException::badClass); }, RUNTIME_CLASS(CArchiveException)},
  };
  for (const Row& row : rows) {
    try {
      row.raise();
      ADD_FAILURE() << "nothing thrown";
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(row.kind)) << row.kind->m_lpszClassName;
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CSimpleException)) || e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
      e->Delete();
    }
  }
}

TEST(CFileException, CauseNumbers) {
  EXPECT_EQ(CFileException::none, 0);
  EXPECT_EQ(CFileException::genericException, 1);
  EXPECT_EQ(CFileException::fileNotFound, 2);
  EXPECT_EQ(CFileException::badPath, 3);
  EXPECT_EQ(CFileException::accessDenied, 5);
  EXPECT_EQ(CFileException::sharingViolation, 11);
  EXPECT_EQ(CFileException::diskFull, 13);
  EXPECT_EQ(CFileException::endOfFile, 14);
  EXPECT_EQ(CArchiveException::badIndex, 5);
  EXPECT_EQ(CArchiveException::badClass, 6);
  EXPECT_EQ(CArchiveException::badSchema, 7);
}

// The whole map from system errors to causes, row for row. The three codes
// chosen for what a user expects: read and write faults are hardware errors,
// "cannot make" is a full folder.
TEST(CFileException, EverySystemErrorMapsToItsCause) {
  struct OsRow {
    LONG osError;
    int cause;
  };
  const OsRow osRows[] = {
      {0, CFileException::none},
      {2, CFileException::fileNotFound},          // ERROR_FILE_NOT_FOUND
      {3, CFileException::badPath},               // ERROR_PATH_NOT_FOUND
      {4, CFileException::tooManyOpenFiles},      // ERROR_TOO_MANY_OPEN_FILES
      {5, CFileException::accessDenied},          // ERROR_ACCESS_DENIED
      {6, CFileException::invalidFile},           // ERROR_INVALID_HANDLE
      {15, CFileException::badPath},              // ERROR_INVALID_DRIVE
      {16, CFileException::removeCurrentDir},     // ERROR_CURRENT_DIRECTORY
      {17, CFileException::badPath},              // ERROR_NOT_SAME_DEVICE
      {18, CFileException::fileNotFound},         // ERROR_NO_MORE_FILES
      {19, CFileException::accessDenied},         // ERROR_WRITE_PROTECT
      {20, CFileException::hardIO},               // ERROR_BAD_UNIT
      {21, CFileException::hardIO},               // ERROR_NOT_READY
      {22, CFileException::hardIO},               // ERROR_BAD_COMMAND
      {23, CFileException::hardIO},               // ERROR_CRC
      {24, CFileException::badSeek},              // ERROR_BAD_LENGTH
      {25, CFileException::badSeek},              // ERROR_SEEK
      {26, CFileException::invalidFile},          // ERROR_NOT_DOS_DISK
      {27, CFileException::badSeek},              // ERROR_SECTOR_NOT_FOUND
      {29, CFileException::hardIO},               // ERROR_WRITE_FAULT
      {30, CFileException::hardIO},               // ERROR_READ_FAULT
      {32, CFileException::sharingViolation},     // ERROR_SHARING_VIOLATION
      {33, CFileException::lockViolation},        // ERROR_LOCK_VIOLATION
      {34, CFileException::badPath},              // ERROR_WRONG_DISK
      {36, CFileException::tooManyOpenFiles},     // ERROR_SHARING_BUFFER_EXCEEDED
      {38, CFileException::endOfFile},            // ERROR_HANDLE_EOF
      {39, CFileException::diskFull},             // ERROR_HANDLE_DISK_FULL
      {53, CFileException::badPath},              // ERROR_BAD_NETPATH
      {54, CFileException::accessDenied},         // ERROR_NETWORK_BUSY
      {55, CFileException::badPath},              // ERROR_DEV_NOT_EXIST
      {57, CFileException::hardIO},               // ERROR_ADAP_HDW_ERR
      {58, CFileException::accessDenied},         // ERROR_BAD_NET_RESP
      {59, CFileException::hardIO},               // ERROR_UNEXP_NET_ERR
      {62, CFileException::directoryFull},        // ERROR_NO_SPOOL_SPACE
      {64, CFileException::accessDenied},         // ERROR_NETNAME_DELETED
      {65, CFileException::accessDenied},         // ERROR_NETWORK_ACCESS_DENIED
      {67, CFileException::badPath},              // ERROR_BAD_NET_NAME
      {80, CFileException::accessDenied},         // ERROR_FILE_EXISTS
      {82, CFileException::directoryFull},        // ERROR_CANNOT_MAKE
      {88, CFileException::hardIO},               // ERROR_NET_WRITE_FAULT
      {107, CFileException::fileNotFound},        // ERROR_DISK_CHANGE
      {108, CFileException::lockViolation},       // ERROR_DRIVE_LOCKED
      {112, CFileException::diskFull},            // ERROR_DISK_FULL
      {113, CFileException::tooManyOpenFiles},    // ERROR_NO_MORE_SEARCH_HANDLES
      {114, CFileException::invalidFile},         // ERROR_INVALID_TARGET_HANDLE
      {123, CFileException::badPath},             // ERROR_INVALID_NAME
      {131, CFileException::badSeek},             // ERROR_NEGATIVE_SEEK
      {132, CFileException::badSeek},             // ERROR_SEEK_ON_DEVICE
      {145, CFileException::removeCurrentDir},    // ERROR_DIR_NOT_EMPTY
      {161, CFileException::badPath},             // ERROR_BAD_PATHNAME
      {167, CFileException::lockViolation},       // ERROR_LOCK_FAILED
      {170, CFileException::accessDenied},        // ERROR_BUSY
      {183, CFileException::accessDenied},        // ERROR_ALREADY_EXISTS
      {206, CFileException::badPath},             // ERROR_FILENAME_EXCED_RANGE
      {267, CFileException::badPath},             // ERROR_DIRECTORY
      {995, CFileException::hardIO},              // ERROR_OPERATION_ABORTED
      {12345, CFileException::genericException},  // anything else
  };
  for (const OsRow& row : osRows)
    EXPECT_EQ(CFileException::OsErrorToException(row.osError), row.cause) << "Win32 error " << row.osError;

  struct ErrnoRow {
    int error;
    int cause;
  };
  const ErrnoRow errnoRows[] = {
      {0, CFileException::none},
      {ENOENT, CFileException::fileNotFound},
      {EACCES, CFileException::accessDenied},
      {EPERM, CFileException::accessDenied},
      {EROFS, CFileException::accessDenied},
      {EEXIST, CFileException::accessDenied},
      {EISDIR, CFileException::accessDenied},
      {EMFILE, CFileException::tooManyOpenFiles},
      {ENFILE, CFileException::tooManyOpenFiles},
      {EBADF, CFileException::invalidFile},
      {ENOSPC, CFileException::diskFull},
#ifdef EDQUOT
      {EDQUOT, CFileException::diskFull},
#endif
      {EINVAL, CFileException::badSeek},
      {ESPIPE, CFileException::badSeek},
      {ENOTDIR, CFileException::badPath},
      {ENAMETOOLONG, CFileException::badPath},
      {EIO, CFileException::hardIO},
      {EAGAIN, CFileException::genericException},  // anything else
  };
  for (const ErrnoRow& row : errnoRows)
    EXPECT_EQ(CFileException::ErrnoToException(row.error), row.cause) << "errno " << row.error;
}

TEST(CMemFile, ReadWriteSeekGrow) {
  CMemFile file(16);
  const char text[] = "0123456789abcdefXYZ";
  file.Write(text, 19);
  EXPECT_EQ(file.GetLength(), 19u);
  EXPECT_EQ(file.GetPosition(), 19u);
  file.Seek(-3, CFile::end);
  char buf[8] = {};
  EXPECT_EQ(file.Read(buf, 8), 3u);
  EXPECT_STREQ(buf, "XYZ");
  EXPECT_EQ(file.Read(buf, 8), 0u);
  file.Seek(25, CFile::begin);  // past the end: a write fills the gap with zeros
  file.Write("!", 1);
  EXPECT_EQ(file.GetLength(), 26u);
  file.Seek(20, CFile::begin);
  EXPECT_EQ(file.Read(buf, 5), 5u);
  EXPECT_EQ(memcmp(buf, "\0\0\0\0\0", 5), 0);
  try {
    file.Seek(-1, CFile::begin);
    ADD_FAILURE();
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::badSeek);
    e->Delete();
  }
  file.SetLength(4);
  EXPECT_EQ(file.GetLength(), 4u);
  EXPECT_EQ(file.GetPosition(), 4u);
  BYTE* block = file.Detach();
  EXPECT_EQ(memcmp(block, "0123", 4), 0);
  free(block);
  EXPECT_EQ(file.GetLength(), 0u);
}

TEST(CMemFile, AttachedFixedBlock) {
  BYTE block[4] = {1, 2, 3, 4};
  CMemFile file(block, sizeof(block));
  EXPECT_EQ(file.GetLength(), 4u);  // a fixed block is the whole file
  BYTE b[4];
  EXPECT_EQ(file.Read(b, 4), 4u);
  file.SeekToBegin();
  file.Write("\x09", 1);
  EXPECT_EQ(block[0], 9);
  file.SeekToEnd();
  try {
    file.Write("x", 1);  // cannot grow
    ADD_FAILURE();
  } catch (CMemoryException* e) {
    e->Delete();
  }
  EXPECT_EQ(file.Detach(), block);
}

}  // namespace
