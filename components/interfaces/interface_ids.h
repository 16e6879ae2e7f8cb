#pragma once

#include "platform/com/guid.h"

// Identifiers of every interface the component library publishes. Files, registrations and callers
// depend on them: they never change.

inline constexpr com::IID IID_IDocument = com::MakeGuid("{9074ADFF-7CB4-46D0-A8E8-405C29312482}");
inline constexpr com::IID IID__IDocumentEvents = com::MakeGuid("{12101BEC-F1DC-4411-BCB2-AB5648979A7F}");
inline constexpr com::IID IID_IBaseSpot = com::MakeGuid("{B14F64E0-4D99-4600-BE52-7379D70CC5D9}");
inline constexpr com::IID IID_IPhotoSpot = com::MakeGuid("{06363E8D-A9BB-4D46-8502-FDAC629701D6}");
inline constexpr com::IID IID_IMapSpot = com::MakeGuid("{CAC62095-1B9E-433F-AE97-B537F2BA2E8F}");
inline constexpr com::IID IID_IXMLPropertyBag = com::MakeGuid("{7EF5DE7E-5D52-48AC-81A9-AF14186E4216}");
inline constexpr com::IID IID_IUndoManager = com::MakeGuid("{B24EFEF1-975B-4438-832E-699A67ED9D95}");
inline constexpr com::IID IID_IMultiUndoTagAction = com::MakeGuid("{2FA23C81-9B2B-4168-AE2C-159CD55349DD}");
inline constexpr com::IID IID_IUndoAction = com::MakeGuid("{4B9324AF-CE3A-46C5-BFFE-6CB928B33AF3}");
inline constexpr com::IID IID_IPositionAction = com::MakeGuid("{82368D3F-3D26-497A-94CF-6BC30704305E}");
inline constexpr com::IID IID_IRestoreSpotAction = com::MakeGuid("{48EEA55F-1F6C-428B-8EB4-0D87084EB695}");
inline constexpr com::IID IID_IUndoCreateAction = com::MakeGuid("{C75BABAF-C721-4FD1-96D5-53E7CEFD7138}");
inline constexpr com::IID IID_IUndoSetPictureAction = com::MakeGuid("{5D89FB4F-3123-4677-B488-47C27A36A42F}");
inline constexpr com::IID IID_IUndoSetAudio = com::MakeGuid("{A9FA6219-1EEE-4D8B-B1BA-0B51F7299CCF}");
inline constexpr com::IID IID_IUndoSetMapSpotMap = com::MakeGuid("{6C9A238C-708A-4E31-B10F-99CFBA31930A}");
inline constexpr com::IID IID_IUndoSetMapAction = com::MakeGuid("{906729E9-D3F8-4756-863A-9945A09937F8}");
inline constexpr com::IID IID_IUndoDeletePictureAction = com::MakeGuid("{331B15B6-12A9-4398-B212-AB2699C6C4B9}");
inline constexpr com::IID IID_ISpotStory = com::MakeGuid("{05F199A0-9270-40D0-AD3A-EDD474A1AB18}");
inline constexpr com::IID IID_IUndoSetStoryAction = com::MakeGuid("{0984D925-3A62-4231-9219-12A1815D0391}");
inline constexpr com::IID IID_IFileLocator = com::MakeGuid("{F70BF71D-138A-4F89-9E57-409868CFF147}");
inline constexpr com::IID IID_ILocatingPropertyBag = com::MakeGuid("{942C9810-586C-413C-AC44-F0E0C6537F34}");
inline constexpr com::IID IID_IMapView = com::MakeGuid("{FD66DA14-ECDD-43D3-9A23-84463D5DC721}");
inline constexpr com::IID IID__IMapViewEvents = com::MakeGuid("{D2BF19E4-70E0-420F-A072-DDF2CB29D9F4}");
inline constexpr com::IID IID_IBaseSpotView = com::MakeGuid("{DDAAA5E8-09DB-4EEA-B823-2065CED39817}");
inline constexpr com::IID IID_IMapSpotView = com::MakeGuid("{730930F0-C4D3-4DAC-9B91-6AFE8F2B556D}");
inline constexpr com::IID IID_IBaseTool = com::MakeGuid("{B97BCCEE-4E7F-41EF-87A7-269C68141F27}");
inline constexpr com::IID IID_IBrowseTool = com::MakeGuid("{51D54A1C-2CB3-40BE-8630-769074FF684F}");
inline constexpr com::IID IID_IEditTool = com::MakeGuid("{A51A135A-67AD-4FA0-90E8-BF7E01F977BB}");
inline constexpr com::IID IID_IPhotoTool = com::MakeGuid("{CFAE558C-D180-4F8B-A210-6DA3C595045A}");
inline constexpr com::IID IID_ISlideShowView = com::MakeGuid("{BE76EAEB-B436-405C-9BBF-5A7CAAADC329}");
inline constexpr com::IID IID__ISlideShowViewEvents = com::MakeGuid("{4181E5C9-CAD4-4791-AAAD-D903AD29EF57}");
inline constexpr com::IID IID_ISlideShowController = com::MakeGuid("{207D0B58-AA44-4C31-85BF-4B77435C2E62}");
inline constexpr com::IID IID__ISlideShowControllerEvents = com::MakeGuid("{AD0EBEB7-FE0A-4FCB-A7BC-4CAF2BFFB20A}");
inline constexpr com::IID IID_ITableControl = com::MakeGuid("{603DACC8-1C79-4FB6-9EE2-F81AE995D64A}");
inline constexpr com::IID IID_ITableCells = com::MakeGuid("{82A2E8CE-E5CF-4E11-83DC-D6495C7DDAAE}");
inline constexpr com::IID IID_ITableCell = com::MakeGuid("{8B8D8C37-1BFC-4B3D-9264-10DF999613F0}");
inline constexpr com::IID IID_IImageCell = com::MakeGuid("{B3731A65-C82E-47F7-B015-6E90BF2F31ED}");
inline constexpr com::IID IID_ICellFactory = com::MakeGuid("{C0C64549-4C35-45EF-BDCD-5847BA5BC0A8}");
inline constexpr com::IID IID_IImageCellFactory = com::MakeGuid("{98C8B7F2-26FE-488E-A09C-6A1112471126}");
inline constexpr com::IID IID_IToolPalette = com::MakeGuid("{7ECB60DB-2CC0-46FB-AD06-EAE374CB7DDD}");
inline constexpr com::IID IID__IToolPaletteEvents = com::MakeGuid("{CA5C2C16-6A74-4A67-8C8C-B99541145397}");
