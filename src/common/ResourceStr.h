// The user-visible texts that several parts of the program share, exactly as the user sees them.
#pragma once

namespace quillcast::res {

inline constexpr char kAppTitle[] = "Orvel Quillcast";
inline constexpr char kGeneratorName[] = "Orvel Quillcast 1.0";
inline constexpr char kNewRSSFile[] = "New RSS File";

// Feed model.
inline constexpr char kChannelFieldRequired[] = "Channel field \"%s\" is required!";
inline constexpr char kDefineChannelFirst[] = "Before adding items you must define channel!";
inline constexpr char kFieldMustHaveValue[] = "Field '%s' must have a value";
inline constexpr char kInvalidInteger[] = "'%s' is not a valid integer value for field '%s'";
inline constexpr char kInvalidBoolean[] = "'%s' is not a valid boolean value for field '%s'";
inline constexpr char kFieldNotFound[] = "Field '%s' not found";
inline constexpr char kNotEditing[] = "Dataset not in edit or insert mode";
inline constexpr char kInvalidDateTime[] = "'%s' is not a valid date and time";
inline constexpr char kDataSetClosed[] = "Cannot perform this operation on a closed dataset";
inline constexpr char kDataSetEmpty[] = "Cannot perform this operation on an empty dataset";

// Reading and writing feeds.
inline constexpr char kNotValidRSS[] = "This is not valid RSS 2.0 file.";
inline constexpr char kCannotOpenFile[] = "Cannot open file \"%s\". %s";
inline constexpr char kCannotCreateFile[] = "Cannot create file \"%s\". %s";

// Editing aids.
inline constexpr char kSelectSkipDays[] = "Select skip days";
inline constexpr char kSelectSkipHours[] = "Select skip hours";

// Internet transfer.
inline constexpr char kNewFTPSite[] = "New FTP Site";
inline constexpr char kNewHTTPSite[] = "New HTTP Site";
inline constexpr char kFTPSiteExists[] =
    "FTP site \"%1\" already exists.\n\rDo you want to overwrite it?";
inline constexpr char kHTTPSiteExists[] =
    "HTTP site \"%1\" already exists.\n\rDo you want to overwrite it?";
inline constexpr char kDeleteFTPSite[] = "Are you sure you want to delete FTP site \"%1\"?";
inline constexpr char kDeleteHTTPSite[] = "Are you sure you want to delete HTTP site \"%1\"?";
inline constexpr char kSelectFTPSite[] = "Please select FTP site from the list.";
inline constexpr char kSelectHTTPSite[] = "Please select HTTP site from the list.";
inline constexpr char kUploaded[] = "File has been uploaded successfully.";
inline constexpr char kDownloaded[] = "File has been downloaded successfully.";
inline constexpr char kNotUploaded[] =
    "File has not been uploaded.\n\rCheck your internet connection and site properties.";
inline constexpr char kNotDownloaded[] =
    "File has not been downloaded.\n\rCheck your internet connection and site properties.";

// Settings files.
inline constexpr char kUnableToWrite[] = "Unable to write to %s";

}  // namespace quillcast::res
