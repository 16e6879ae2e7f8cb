#include "components/server/class_catalogue.h"

#include "components/interfaces/class_ids.h"
#include "components/browser/pl_cell_factory.h"
#include "components/browser/pl_image_cell.h"
#include "components/browser/pl_image_cell_factory.h"
#include "components/browser/pl_table_cell.h"
#include "components/browser/pl_table_cells.h"
#include "components/browser/pl_table_control.h"
#include "components/browser/pl_tool_palette.h"
#include "components/interfaces/interface_ids.h"
#include "components/document/pl_base_spot.h"
#include "components/persistence/cxml_property_bag.h"
#include "components/document/pl_document.h"
#include "components/document/pl_map_spot.h"
#include "components/document/pl_photo_spot.h"
#include "components/mapview/pl_base_spot_view.h"
#include "components/mapview/pl_base_tool.h"
#include "components/mapview/pl_browse_tool.h"
#include "components/mapview/pl_edit_tool.h"
#include "components/mapview/pl_map_spot_view.h"
#include "components/mapview/pl_map_view.h"
#include "components/mapview/pl_photo_tool.h"
#include "components/slideshow/pl_slide_show_controller.h"
#include "components/slideshow/pl_slide_show_view.h"
#include "components/undo/pl_multi_undo_tag_action.h"
#include "components/undo/pl_position_action.h"
#include "components/undo/pl_restore_spot_action.h"
#include "components/undo/pl_undo_action.h"
#include "components/undo/pl_undo_create_action.h"
#include "components/undo/pl_undo_delete_picture_action.h"
#include "components/undo/pl_undo_manager.h"
#include "components/undo/pl_undo_set_audio.h"
#include "components/undo/pl_undo_set_map_action.h"
#include "components/undo/pl_undo_set_map_spot_map.h"
#include "components/undo/pl_undo_set_picture_action.h"
#include "components/undo/pl_undo_set_story_action.h"

#include <algorithm>

namespace components {

namespace {
const ClassEntry kClasses[] = {
    {"PLBaseSpot", "Components.BaseSpot.1", CLSID_PLBaseSpot, false, &com::ClassFactory<PLBaseSpot>::Instance},
    {"PLBaseSpotView", "Components.BaseSpotView.1", CLSID_PLBaseSpotView, false, &com::ClassFactory<PLBaseSpotView>::Instance},
    {"PLUndoAction", "Components.UndoAction.1", CLSID_PLUndoAction, true, &com::ClassFactory<PLUndoAction>::Instance},
    {"PLUndoManager", "Components.UndoManager.1", CLSID_PLUndoManager, true, &com::ClassFactory<PLUndoManager>::Instance},
    {"PLDocument", "Components.Document.1", CLSID_PLDocument, false, &com::ClassFactory<PLDocument>::Instance},
    {"PLBaseTool", "Components.BaseTool.1", CLSID_PLBaseTool, false, &com::ClassFactory<PLBaseTool>::Instance},
    {"PLBrowseTool", "Components.BrowseTool.1", CLSID_PLBrowseTool, false, &com::ClassFactory<PLBrowseTool>::Instance},
    {"PLMultiUndoTagAction", "Components.MultiUndoTagAction.1", CLSID_PLMultiUndoTagAction, true, &com::ClassFactory<PLMultiUndoTagAction>::Instance},
    {"PLMapView", "Components.MapView.1", CLSID_PLMapView, true, &com::ClassFactory<PLMapView>::Instance},
    {"PLTableCell", "TableProject.TableCell.1", CLSID_PLTableCell, false, &com::ClassFactory<PLTableCell>::Instance},
    {"PLCellFactory", "TableProject.CellFactory.1", CLSID_PLCellFactory, false, &com::ClassFactory<PLCellFactory>::Instance},
    {"PLPhotoSpot", "Components.PhotoSpot.1", CLSID_PLPhotoSpot, false, &com::ClassFactory<PLPhotoSpot>::Instance},
    {"PLTableCells", "TableProject.TableCells.1", CLSID_PLTableCells, true, &com::ClassFactory<PLTableCells>::Instance},
    {"PLImageCellFactory", "TableProject.ImageCellFactory.1", CLSID_PLImageCellFactory, false, &com::ClassFactory<PLImageCellFactory>::Instance},
    {"PLTableControl", "Components.TableControl.1", CLSID_PLTableControl, true, &com::ClassFactory<PLTableControl>::Instance},
    {"PLToolPalette", "Components.ToolPalette.1", CLSID_PLToolPalette, true, &com::ClassFactory<PLToolPalette>::Instance},
    {"PLEditTool", "Components.EditTool.1", CLSID_PLEditTool, false, &com::ClassFactory<PLEditTool>::Instance},
    {"PLMapSpot", "Components.MapSpot.1", CLSID_PLMapSpot, false, &com::ClassFactory<PLMapSpot>::Instance},
    {"PLPositionAction", "Components.PLPositionAction.1", CLSID_PLPositionAction, true, &com::ClassFactory<PLPositionAction>::Instance},
    {"PLImageCell", "TableProject.ImageCell.1", CLSID_PLImageCell, false, &com::ClassFactory<PLImageCell>::Instance},
    {"CXMLPropertyBag", "Components.XMLPropertyBag.1", CLSID_CXMLPropertyBag, false, &com::ClassFactory<CXMLPropertyBag>::Instance},
    {"PLMapSpotView", "Components.MapSpotView.1", CLSID_PLMapSpotView, false, &com::ClassFactory<PLMapSpotView>::Instance},
    {"PLPhotoTool", "Components.PhotoTool.1", CLSID_PLPhotoTool, false, &com::ClassFactory<PLPhotoTool>::Instance},
    {"PLRestoreSpotAction", "Components.RestoreSpotAction.1", CLSID_PLRestoreSpotAction, true, &com::ClassFactory<PLRestoreSpotAction>::Instance},
    {"PLUndoCreateAction", "Components.UndoCreateAction.1", CLSID_PLUndoCreateAction, true, &com::ClassFactory<PLUndoCreateAction>::Instance},
    {"PLUndoSetPictureAction", "Components.UndoSetPictureAction.1", CLSID_PLUndoSetPictureAction, true, &com::ClassFactory<PLUndoSetPictureAction>::Instance},
    {"PLUndoSetAudio", "Components.UndoSetAudio.1", CLSID_PLUndoSetAudio, true, &com::ClassFactory<PLUndoSetAudio>::Instance},
    {"PLUndoSetMapSpotMap", "Components.UndoSetMapSpotMap.1", CLSID_PLUndoSetMapSpotMap, true, &com::ClassFactory<PLUndoSetMapSpotMap>::Instance},
    {"PLUndoSetMapAction", "Components.UndoSetMapAction.1", CLSID_PLUndoSetMapAction, true, &com::ClassFactory<PLUndoSetMapAction>::Instance},
    {"PLSlideShowController", "Components.SlideShowController.1", CLSID_PLSlideShowController, true, &com::ClassFactory<PLSlideShowController>::Instance},
    {"PLSlideShowView", "Components.SlideShowView.1", CLSID_PLSlideShowView, true, &com::ClassFactory<PLSlideShowView>::Instance},
    {"PLUndoDeletePictureAction", "Components.UndoDeletePictureAction.1", CLSID_PLUndoDeletePictureAction, true, &com::ClassFactory<PLUndoDeletePictureAction>::Instance},
    {"PLUndoSetStoryAction", "Components.UndoSetStoryAction.1", CLSID_PLUndoSetStoryAction, true, &com::ClassFactory<PLUndoSetStoryAction>::Instance},
};

const InterfaceEntry kInterfaces[] = {
    {"IDocument", IID_IDocument},
    {"_IDocumentEvents", IID__IDocumentEvents},
    {"IBaseSpot", IID_IBaseSpot},
    {"IPhotoSpot", IID_IPhotoSpot},
    {"IMapSpot", IID_IMapSpot},
    {"IXMLPropertyBag", IID_IXMLPropertyBag},
    {"IUndoManager", IID_IUndoManager},
    {"IMultiUndoTagAction", IID_IMultiUndoTagAction},
    {"IUndoAction", IID_IUndoAction},
    {"IPositionAction", IID_IPositionAction},
    {"IRestoreSpotAction", IID_IRestoreSpotAction},
    {"IUndoCreateAction", IID_IUndoCreateAction},
    {"IUndoSetPictureAction", IID_IUndoSetPictureAction},
    {"IUndoSetAudio", IID_IUndoSetAudio},
    {"IUndoSetMapSpotMap", IID_IUndoSetMapSpotMap},
    {"IUndoSetMapAction", IID_IUndoSetMapAction},
    {"IUndoDeletePictureAction", IID_IUndoDeletePictureAction},
    {"ISpotStory", IID_ISpotStory},
    {"IUndoSetStoryAction", IID_IUndoSetStoryAction},
    {"IFileLocator", IID_IFileLocator},
    {"ILocatingPropertyBag", IID_ILocatingPropertyBag},
    {"IMapView", IID_IMapView},
    {"_IMapViewEvents", IID__IMapViewEvents},
    {"IBaseSpotView", IID_IBaseSpotView},
    {"IMapSpotView", IID_IMapSpotView},
    {"IBaseTool", IID_IBaseTool},
    {"IBrowseTool", IID_IBrowseTool},
    {"IEditTool", IID_IEditTool},
    {"IPhotoTool", IID_IPhotoTool},
    {"ISlideShowView", IID_ISlideShowView},
    {"_ISlideShowViewEvents", IID__ISlideShowViewEvents},
    {"ISlideShowController", IID_ISlideShowController},
    {"_ISlideShowControllerEvents", IID__ISlideShowControllerEvents},
    {"ITableControl", IID_ITableControl},
    {"ITableCells", IID_ITableCells},
    {"ITableCell", IID_ITableCell},
    {"IImageCell", IID_IImageCell},
    {"ICellFactory", IID_ICellFactory},
    {"IImageCellFactory", IID_IImageCellFactory},
    {"IToolPalette", IID_IToolPalette},
    {"_IToolPaletteEvents", IID__IToolPaletteEvents},
};
}  // namespace

std::span<const ClassEntry> ClassCatalogue()
{
    return kClasses;
}

std::span<const InterfaceEntry> InterfaceCatalogue()
{
    return kInterfaces;
}

const ClassEntry* FindClass(const com::CLSID& classId)
{
    const auto found = std::find_if(std::begin(kClasses), std::end(kClasses),
                                    [&](const ClassEntry& entry) { return entry.classId == classId; });
    return found == std::end(kClasses) ? nullptr : found;
}

}  // namespace components
