; The ZENTIL installer: per user, without administrator rights. /S installs
; silently; the uninstaller is listed among the user's installed programs.
; makensis -DVERSION=1.0.0 -DICON=zentil.ico -DLICENSE=LICENSE.txt -DFILES=files.nsh
;          -DSIZE_KB=<installed size> -DOUTFILE=setup.exe zentil.nsi
; FILES holds the File and Delete lines of every file to install, made by
; scripts/windows.sh, so the uninstaller removes only what was installed.
; A 64-bit installer for a 64-bit program: it also runs where 32-bit
; programs cannot (Wine without its 32-bit part).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZENTIL"

Name "ZENTIL"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\ZENTIL"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "ZENTIL"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "ZENTIL ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 ZENTIL developers, MIT License"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zentil.exe"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "ZENTIL"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    !define INSTALLING
    !include "${FILES}"
    !undef INSTALLING
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\ZENTIL.lnk" "$INSTDIR\zentil.exe" "" "$INSTDIR\zentil.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "ZENTIL"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "ZENTIL developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zentil.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; The settings under HKCU\Software\ZENTIL stay, as a reinstall expects them.
Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\ZENTIL.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
