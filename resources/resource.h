/* Every resource, control and command ID of Tavrin. Prefixes name the window:
   MAIN (TForm1, the main window), ABOUT (TForm2), CONFIG (TForm3). The same design
   name may stand in several windows (SpeedButton1 is Save in the main window, Close
   in About and the browse button in Configuration), so the prefix matters.
   Plain macros only: the resource compiler reads this file too. */
#pragma once

/* Resources */
#define IDI_TAVRIN 1
#define IDB_PICTURES 101      /* 16 x 16 pictures side by side, 24-bit, magenta = clear */
#define IDB_PICTURES_GREY 102 /* the same pictures greyed, for disabled commands */
#define IDB_BANNER 103        /* About banner, 300 x 50, 8-bit palette */

/* Picture indices in IDB_PICTURES / IDB_PICTURES_GREY */
#define PIC_NEW 0
#define PIC_OPEN 1
#define PIC_SAVE 2
#define PIC_COMPILE 3
#define PIC_START 4
#define PIC_CLEARSCREEN 5
#define PIC_INDICATOROFF 6
#define PIC_CLOSE 7
#define PIC_BIGTEXT 8
#define PIC_SMALLTEXT 9
#define PIC_TEXTSTRING 10
#define PIC_SETINVERSE 11
#define PIC_RESINVERSE 12
#define PIC_SAVEAS 13
#define PIC_EXIT 14
#define PIC_CONFIGURATION 15
#define PIC_FIND 16
#define PIC_INDEX 17
#define PIC_ABOUT 18
#define PIC_DIALOG_CLOSE 19
#define PIC_DIALOG_SAVE 20
#define PIC_COUNT 21

/* Main window: menu commands */
#define IDM_MAIN_NEW1 1001
#define IDM_MAIN_OPEN1 1002
#define IDM_MAIN_SAVE1 1003
#define IDM_MAIN_SAVEAS1 1004
#define IDM_MAIN_EXIT1 1005
#define IDM_MAIN_CONFIGURATION1 1006
#define IDM_MAIN_SEARCH2 1007
#define IDM_MAIN_INDEX1 1008
#define IDM_MAIN_ABOUT1 1009

/* Main window: toolbar buttons. New, Open and Save are the menu's commands, with
   the menu's IDs. */
#define IDC_MAIN_SPEEDBUTTON2 IDM_MAIN_NEW1  /* New */
#define IDC_MAIN_BTN_OPEN IDM_MAIN_OPEN1     /* Open */
#define IDC_MAIN_SPEEDBUTTON1 IDM_MAIN_SAVE1 /* Save */
#define IDC_MAIN_SPEEDBUTTON3 1104           /* Compile */

/* Main window: snippet palette buttons */
#define IDC_MAIN_SPEEDBUTTON4 1204  /* Start */
#define IDC_MAIN_SPEEDBUTTON6 1206  /* Clear Screen */
#define IDC_MAIN_SPEEDBUTTON12 1212 /* Indicator Off */
#define IDC_MAIN_SPEEDBUTTON5 1205  /* Close */
#define IDC_MAIN_SPEEDBUTTON9 1209  /* Big Text */
#define IDC_MAIN_SPEEDBUTTON10 1210 /* Small Text */
#define IDC_MAIN_SPEEDBUTTON11 1211 /* Text String */
#define IDC_MAIN_SPEEDBUTTON7 1207  /* Set Inverse */
#define IDC_MAIN_SPEEDBUTTON8 1208  /* Res Iverese */

/* Main window: controls */
#define IDC_MAIN_COOLBAR1 1301
#define IDC_MAIN_TOOLBAR1 1302
#define IDC_MAIN_PAGECONTROL1 1303
#define IDC_MAIN_PAGE_NORMAL 1304 /* the palette's button row on each page */
#define IDC_MAIN_PAGE_TEXT 1305
#define IDC_MAIN_PAGE_EFFECTS 1306
#define IDC_MAIN_PANEL2 1307 /* name bar */
#define IDC_MAIN_PANEL3 1308 /* black strip */
#define IDC_MAIN_MEMO1 1309
#define IDC_MAIN_STATUSBAR1 1310

/* About dialog */
#define IDC_ABOUT_BANNER 2001
#define IDC_ABOUT_VERSION 2002
#define IDC_ABOUT_LINE 2003
#define IDC_ABOUT_CREDIT 2004
#define IDC_ABOUT_LABEL2 2005 /* "E-Mail:" */
#define IDC_ABOUT_LABEL3 2006 /* e-mail link */
#define IDC_ABOUT_LABEL4 2007 /* "Website:" */
#define IDC_ABOUT_LABEL5 2008 /* website link */
#define IDC_ABOUT_DUTCH 2009
#define IDC_ABOUT_QUESTIONS 2010
#define IDC_ABOUT_ENJOY 2011
#define IDC_ABOUT_SIGNATURE 2012
#define IDC_ABOUT_NOTE 2013
#define IDC_ABOUT_STRIP 2014
#define IDC_ABOUT_BETA 2015
#define IDC_ABOUT_SPEEDBUTTON1 2016 /* Close */
#define IDC_ABOUT_SPEEDBUTTON2 2017 /* Website */

/* Configuration dialog */
#define IDC_CONFIG_CAPTION 3001 /* "Locate asm.bat for compilation:" */
#define IDC_CONFIG_EDIT1 3002
#define IDC_CONFIG_SPEEDBUTTON1 3003 /* "..." browse */
#define IDC_CONFIG_LABEL1 3004       /* go.bat warning */
#define IDC_CONFIG_SPEEDBUTTON3 3005 /* Close */
#define IDC_CONFIG_SPEEDBUTTON2 3006 /* Save */

/* Dialog templates */
#define IDD_ABOUT 501
#define IDD_CONFIGURATION 502
