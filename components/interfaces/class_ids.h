#pragma once

#include "platform/com/guid.h"

// Identifiers of every component class of the library. Document files store them (a spot is
// re-created from the identifier written beside it): they never change.

inline constexpr com::CLSID CLSID_PLBaseSpot = com::MakeGuid("{D9C923A1-1865-4C85-BCAD-E6E2D1EAC0AF}");
inline constexpr com::CLSID CLSID_PLBaseSpotView = com::MakeGuid("{0CE5035C-D4DE-467C-BAB9-84622C785995}");
inline constexpr com::CLSID CLSID_PLUndoAction = com::MakeGuid("{D404F9CA-FC6F-428A-9658-7801AED65A7B}");
inline constexpr com::CLSID CLSID_PLUndoManager = com::MakeGuid("{5F8B864D-57FF-42C8-BDA0-BAF732FC9EB5}");
inline constexpr com::CLSID CLSID_PLDocument = com::MakeGuid("{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}");
inline constexpr com::CLSID CLSID_PLBaseTool = com::MakeGuid("{FB508F28-13C0-4FE0-9E15-B73169A4AD10}");
inline constexpr com::CLSID CLSID_PLBrowseTool = com::MakeGuid("{87EF64A4-3401-4194-BB8A-6151329436C4}");
inline constexpr com::CLSID CLSID_PLMultiUndoTagAction = com::MakeGuid("{275B17BF-C027-499E-A8AF-8E36A55B2EFE}");
inline constexpr com::CLSID CLSID_PLMapView = com::MakeGuid("{9AA631C6-85E6-412E-B1F4-ACCF18E11A2F}");
inline constexpr com::CLSID CLSID_PLTableCell = com::MakeGuid("{33504089-B7BE-4391-8BCF-D83A0875D60C}");
inline constexpr com::CLSID CLSID_PLCellFactory = com::MakeGuid("{1BD8D1AD-5679-4D6F-B6D0-C092B27C84F5}");
inline constexpr com::CLSID CLSID_PLPhotoSpot = com::MakeGuid("{37ED8AE6-6686-4D72-8646-76614F2D5BD3}");
inline constexpr com::CLSID CLSID_PLTableCells = com::MakeGuid("{505410C4-8D8D-4F0A-87C2-0A22F9A41B7C}");
inline constexpr com::CLSID CLSID_PLImageCellFactory = com::MakeGuid("{0730ABB7-37D7-446A-815A-8AAE19BF6442}");
inline constexpr com::CLSID CLSID_PLTableControl = com::MakeGuid("{F504B4E0-0524-49EE-9836-84D8C00DE150}");
inline constexpr com::CLSID CLSID_PLToolPalette = com::MakeGuid("{D837A417-700B-4A87-A036-352F7116862F}");
inline constexpr com::CLSID CLSID_PLEditTool = com::MakeGuid("{D75386A7-8CA5-4A60-B368-D00623436FE0}");
inline constexpr com::CLSID CLSID_PLMapSpot = com::MakeGuid("{7ECA5A46-CCCF-4A69-9672-197CD9613A61}");
inline constexpr com::CLSID CLSID_PLPositionAction = com::MakeGuid("{D7B4D0D4-E980-4191-9ACB-3FDE6B5E915B}");
inline constexpr com::CLSID CLSID_PLImageCell = com::MakeGuid("{D66700E2-8C05-4D1F-995B-569CF7E134DD}");
inline constexpr com::CLSID CLSID_CXMLPropertyBag = com::MakeGuid("{F3173107-620D-43BF-83D4-459B2F7C2E6A}");
inline constexpr com::CLSID CLSID_PLMapSpotView = com::MakeGuid("{D0CACA5C-FDF9-4BE5-8F38-FDB00D707715}");
inline constexpr com::CLSID CLSID_PLPhotoTool = com::MakeGuid("{FAEA4804-DD37-4F4F-AEEF-52EB04FC1FAA}");
inline constexpr com::CLSID CLSID_PLRestoreSpotAction = com::MakeGuid("{2F5E2C3F-F6A2-4A37-8B74-099789625CE5}");
inline constexpr com::CLSID CLSID_PLUndoCreateAction = com::MakeGuid("{0F1DB1B1-E382-4DC7-BA27-C390143CC058}");
inline constexpr com::CLSID CLSID_PLUndoSetPictureAction = com::MakeGuid("{0D805615-F2AD-4729-94C0-2E7903BCD2FF}");
inline constexpr com::CLSID CLSID_PLUndoSetAudio = com::MakeGuid("{D7F1E1AD-C798-4339-93CD-1CDCBC33984C}");
inline constexpr com::CLSID CLSID_PLUndoSetMapSpotMap = com::MakeGuid("{F90AD442-C1D4-4E22-B8CC-2082528386A3}");
inline constexpr com::CLSID CLSID_PLUndoSetMapAction = com::MakeGuid("{F1541D2A-4C98-4A96-84B5-476386A5EA9E}");
inline constexpr com::CLSID CLSID_PLSlideShowController = com::MakeGuid("{14833E2D-8B41-4AE9-BDCA-E87BE45F1CCA}");
inline constexpr com::CLSID CLSID_PLSlideShowView = com::MakeGuid("{D45007B4-26A9-47AB-8718-4EF77310C83A}");
inline constexpr com::CLSID CLSID_PLUndoDeletePictureAction = com::MakeGuid("{7B623D6E-BEEF-409E-B921-216FCB8B47AA}");
inline constexpr com::CLSID CLSID_PLUndoSetStoryAction = com::MakeGuid("{2828553B-3E1A-4505-8115-F25A93F00275}");
