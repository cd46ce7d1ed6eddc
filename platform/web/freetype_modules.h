/* The FreeType modules the page's library is built with
 * (tools/build-web-deps): the page draws one TrueType face, hinted by its
 * own bytecode and smoothed; every other format and renderer would only be
 * downloaded. */
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
