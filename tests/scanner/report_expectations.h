// The fixed pieces of every scan report, as the report format gives them.
#pragma once

#include <string>

namespace scan_report_text {

inline const std::string kHead =
    "<!DOCTYPE html>\n"
    "<HTML><HEAD><style type='text/css'>\n"
    " .styleTH {font-size: 20px; background-color:#CCCC99;}\n"
    " .styleTD1 {color:#3366CC; font-weight: bold; background-color:#E1E1E1}\n"
    " .styleTD3 {font-size: 12px}\n"
    " .styleTD2 {color:#666666; background-color:#FFFFCC}\n </style>\n"
    "<TITLE>Parvix File Format Scanning -- ZOMA Qiru</TITLE></HEAD>\n<BODY bgcolor=\"#F1F1F1\">\n"
    "<center><H1>Parvix File Format Scanning - Results</H1></center><hr>\n"
    "<font color='#0000FF'>"
    "<strong><font size=\"+1\">Please scroll down to the end of this page to view the results.\n"
    "</font>"
    "<font color='#FF0000'>"
    "<br>NOTE: error messages are displayed in RED.</font></strong><hr>\n"
    "</font>";

inline std::string nowScanning(const std::string& name) {
  return "<strong style=\"color:#3399CC;font-size:18px;font-weight:bold\">Now Scanning File: " + name +
         "</strong><hr>\n";
}

inline std::string doneScanning(const std::string& name) {
  return "<br><strong style=\"color:#666666;font-size:16px;font-weight:bold\">Done Scanning File: " + name +
         "</strong>\n</BODY></HTML>\n";
}

inline const std::string kFilenameStart = "<h2>Now Scanning Filename ...</h2>";
inline const std::string kFilenameVerified =
    "<font size ='+2' color='#339933'>Filename Successfully Verified!</font>\n<h2>Done Scanning Filename.</h2><hr>";
inline const std::string kAllDone =
    "<br><b><font size='+2' color='#0000FF'>ALL DONE. File Successfully Verified!</font></b><hr>\n";
inline const std::string kFailed =
    "<br><b><font size='+2' color='#FF0000'>*** Scanning Failed. See Error Messages. ***</font></b><hr>\n";
inline const std::string kHdfFailedBanner =
    "<div style='background-color:#FFFFCC' align='center'><strong style='color:#FF0000;font-size:24px'>*** Scanning Failed. See Error Messages Below ***</strong></div>\n";

inline std::string notDatNote(const std::string& name) {
  return "<font color='#FF9933'><br><strong>Note: ONLY the filename was scanned since this file (" + name +
         ") is not \".dat\" type.</strong>\n</font>";
}

}  // namespace scan_report_text
