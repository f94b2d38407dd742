// One document's release data as the host resolves it, shared by the tests
// of the host objects.
#pragma once

#include "host_standin/records.h"

namespace standin::samples {

inline ReleaseDocument ReleaseDocumentSample() {
    ReleaseDocument document;
    document.pdfFileName = u"inv-1001.pdf";
    document.connectString = u"sqlite:db";
    document.userName = u"clerk";
    document.password = u"secret";
    document.values = {
        {u"AIP32.INVN32", u"1001", u"", {}},
        {u"AIP33.DESC33", u"", u"Lines", {u"Bolts", u"Nuts", u""}},
        {u"serverName", u"sqlite:other", u"", {}},
        {u"serverName", u"shadowed", u"", {}},
    };
    document.customProperties = {{u"serverAPILibrary", u"APLIB"}, {u"SanitiseCodepage", u""}};
    return document;
}

}  // namespace standin::samples
