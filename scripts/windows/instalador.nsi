; The Windows installer of Tarsa Cliente, in Spanish (scripts/windows/instalador.sh runs makensis on it).
; The installer and its uninstaller handle only the program's own files: the user's database, its
; backup, the saved tickets and the exchange archive, which the client keeps beside itself, stay
; through an uninstallation and an installation over an older version.
Target amd64-unicode  ; the default 32-bit stub does not start on a 64-bit system without WoW64
!include MUI2.nsh

!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\TarsaCliente"
Name "Tarsa Cliente ${VERSION}"
OutFile "${SALIDA}"
InstallDir "$PROGRAMFILES64\TarsaCliente"
InstallDirRegKey HKLM "${CLAVE}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=3082 "ProductName" "Tarsa Cliente"
VIAddVersionKey /LANG=3082 "FileDescription" "Instalador de Tarsa Cliente"
VIAddVersionKey /LANG=3082 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "LegalCopyright" "Tarsa"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\TarsaCliente.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

Section "Tarsa Cliente"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !include "${INSTALAR}"
  ; The delivered database only where there is none yet: an installed one holds the user's data.
  SetOutPath "$INSTDIR"
  SetOverwrite off
  File "${PAQUETE}\TarsaCliente.mdb"
  SetOverwrite on
  CreateShortcut "$SMPROGRAMS\Tarsa Cliente.lnk" "$INSTDIR\TarsaCliente.exe"
  WriteUninstaller "$INSTDIR\desinstalar.exe"
  WriteRegStr HKLM "${CLAVE}" "DisplayName" "Tarsa Cliente"
  WriteRegStr HKLM "${CLAVE}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLAVE}" "Publisher" "Tarsa"
  WriteRegStr HKLM "${CLAVE}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLAVE}" "DisplayIcon" "$INSTDIR\TarsaCliente.exe"
  WriteRegStr HKLM "${CLAVE}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${CLAVE}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${CLAVE}" "NoModify" 1
  WriteRegDWORD HKLM "${CLAVE}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tarsa Cliente.lnk"
  !include "${DESINSTALAR}"
  Delete "$INSTDIR\desinstalar.exe"
  ; The client's claim on its folder, which a run leaves behind (the next run takes it over).
  Delete "$INSTDIR\TarsaCliente.lck"
  ; Removed only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${CLAVE}"
SectionEnd
