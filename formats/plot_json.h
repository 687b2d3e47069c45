#pragma once
// The core's figures and form fields as JSON for the page, which paints and
// lays them out as the desktop does from the same records.
#include "formats/json_writer.h"
#include "tuning/plot_picture.h"
#include "tuning/tuning_form.h"

// {"width":w,"height":h,"background":c,"font":px,"shapes":[[kind,x0,y0,x1,y1,colour,dashed,align,vertical,text],...]}
void WritePlotPicture(JsonWriter& j, const char* key, const PlotPicture& picture);
// {"label":text without its access key,"unit":u,"low":l,"high":h,"value":v,"step":s,"decimals":d}
void WriteFormNumber(JsonWriter& j, const char* key, const FormNumber& field);
