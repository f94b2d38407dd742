// The host's enumerations as the component uses them.
#pragma once

#include <cstdint>

namespace kfx {

enum KfxReturnValue : std::int32_t {
    KFX_REL_SUCCESS = 0,
    KFX_REL_REINIT = 1,
    KFX_REL_STOPPED = 2,
    KFX_REL_QUEUED = 3,
    KFX_REL_UNSUPPORTED = 4,
    KFX_REL_ERROR = -1,
    KFX_REL_DOCCLASSERROR = -2,
    KFX_REL_FATALERROR = -3,
    KFX_REL_FATALBATCHERROR = -4,
};

enum KfxLinkSourceType : std::int32_t {
    KFX_REL_UNDEFINED_LINK = -1,
    KFX_REL_INDEXFIELD = 0,
    KFX_REL_TEXTCONSTANT = 1,
    KFX_REL_VARIABLE = 2,
    KFX_REL_BATCHFIELD = 3,
    KFX_REL_DOCUMENTID = 4,
};

enum KfxActionValue : std::int32_t {
    KFX_REL_UNDEFINED_ACTION = -1,
    KFX_REL_DOCCLASS_RENAME = 0,
    KFX_REL_BATCHCLASS_RENAME = 1,
    KFX_REL_INDEXFIELD_DELETE = 2,
    KFX_REL_INDEXFIELD_INSERT = 3,
    KFX_REL_INDEXFIELD_RENAME = 4,
    KFX_REL_BATCHFIELD_DELETE = 5,
    KFX_REL_BATCHFIELD_INSERT = 6,
    KFX_REL_BATCHFIELD_RENAME = 7,
    KFX_REL_RELEASESETUP_DELETE = 8,
    KFX_REL_IMPORT = 9,
    KFX_REL_UPGRADE = 10,
    KFX_REL_PUBLISH_CHECK = 11,
    KFX_REL_START = 12,
    KFX_REL_END = 13,
    KFX_REL_FOLDERCLASS_INSERT = 14,
    KFX_REL_FOLDERCLASS_RENAME = 15,
    KFX_REL_FOLDERCLASS_DELETE = 16,
    KFX_REL_TABLE_DELETE = 17,
    KFX_REL_TABLE_INSERT = 18,
    KFX_REL_TABLE_RENAME = 19,
};

// InfoRet of SendMessage: the message marks a document error.
constexpr std::int32_t KFX_REL_DOC_ERROR = 1;

}  // namespace kfx
