#pragma once
// Resource numbers of the generator, shared by the code and the resource script.

#define IDI_PROGRAM 1
#define IDC_HAND_CURSOR 101
#define IDI_ENVELOPE 102
#define IDI_INFO 103
#define IDI_LOGO 104

// GIF pictures, stored as raw data (RT_RCDATA).
#define IDG_WAND 201
#define IDG_WARNING 202
#define IDG_MAILPERSON 203
#define IDG_BANNER 204

// The web card's page template (RT_RCDATA), made by the build.
#define IDW_WEB_TEMPLATE 301

#define IDV_VERSION 1
