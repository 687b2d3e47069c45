// The texts the page shows when the core could not be started, and so
// could not hand them over: the build writes them here from the core's
// table (controls/shell_texts.h). Every other text comes from tess_names.
export const startTexts = { errorCaption: @TESSALINE_ErrorCaption@, startupError: @TESSALINE_StartupErrorText@,
                            ok: @TESSALINE_OkButton@ };
