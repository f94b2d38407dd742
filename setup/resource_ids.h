// Identifiers of the component's resources: strings, dialogs, the source
// menu, icons, and the controls and commands of the two settings pages.
#pragma once

namespace veldmark::res {

// String table.
constexpr int kStringSheetTitle = 11003;
constexpr int kStringButtonOk = 11005;
constexpr int kStringButtonYes = 11006;
constexpr int kStringButtonNo = 11007;
constexpr int kStringButtonRetry = 11008;
constexpr int kStringButtonCancel = 11009;
constexpr int kStringButtonClose = 11010;
constexpr int kStringRequiredTitle = 11011;
constexpr int kStringRequiredInstruction = 11012;
constexpr int kStringMapRequired = 11013;
constexpr int kStringIgnoreRequirement = 11014;
constexpr int kStringInvalidCodepage = 11040;
constexpr int kStringIndexFieldsMenu = 11041;
constexpr int kStringValueNamesMenu = 11042;
constexpr int kStringPropertyColumn = 11043;
constexpr int kStringValueColumn = 11044;
constexpr int kStringHeaderGroup = 11045;
constexpr int kStringLineItemGroup = 11046;
constexpr int kStringOtherGroup = 11047;
constexpr int kStringIndexFieldsNotListed = 11048;
constexpr int kStringValueNamesNotListed = 11049;

// Dialog templates of the two pages.
constexpr int kDialogGeneralPage = 11003;
constexpr int kDialogMappingPage = 11013;

// Menu resource whose first popup holds "Text Constant" and "No Mapping".
constexpr int kMenuSource = 11012;

// Icons.
constexpr int kIconWarning = 11020;
constexpr int kIconArrow = 11021;
constexpr int kIconArrowHot = 11022;
constexpr int kIconError = 11023;
constexpr int kIconInformation = 11024;
constexpr int kIconShield = 11025;

// Controls of the General page.
constexpr int kControlNone = -1;
constexpr int kEditInstanceName = 11002;
constexpr int kLabelBatchClassName = 11003;
constexpr int kLabelBatchClassCaption = 11056;
constexpr int kLabelDocumentClassCaption = 11004;
constexpr int kLabelDocumentClassName = 11005;
constexpr int kLabelInstanceNameCaption = 11006;
constexpr int kLabelServerNameCaption = 11016;
constexpr int kEditServerName = 11017;
constexpr int kEditUserName = 11024;
constexpr int kEditPassword = 11025;
constexpr int kLabelUserNameCaption = 11026;
constexpr int kLabelPasswordCaption = 11027;
constexpr int kEditApiLibrary = 11028;
constexpr int kLabelApiLibraryCaption = 11029;
constexpr int kLabelCodepageCaption = 11030;
constexpr int kLabelReplacementCharCaption = 11031;
constexpr int kLabelVersionCaption = 11059;
constexpr int kLabelVersionText = 11060;
constexpr int kEditCodepage = 11061;
constexpr int kEditReplacementChar = 11062;
constexpr int kButtonServerNameSource = 1003;
constexpr int kButtonUserNameSource = 1004;
constexpr int kButtonCodepageSource = 1010;
constexpr int kButtonReplacementCharSource = 1011;
constexpr int kButtonApiLibrarySource = 1012;
constexpr int kButtonPasswordSource = 1013;

// Controls of the Data Mapping page.
constexpr int kFrameGrid = 11055;
constexpr int kCheckDisplayFieldNames = 11058;

}  // namespace veldmark::res
