/* The site's editor settings: the toolbar "myBasic" that the page's HTML-editor fields ask for,
   Chinese texts, and no look-up of newer editor versions over the network. */
CKEDITOR.editorConfig = function (config) {
  config.language = 'zh-cn';
  config.versionCheck = false;
  config.height = 200;
  config.toolbar_myBasic = [
    ['Bold', 'Italic', 'Underline', 'Strike'],
    ['NumberedList', 'BulletedList', '-', 'Outdent', 'Indent'],
    ['JustifyLeft', 'JustifyCenter', 'JustifyRight'],
    ['Link', 'Unlink', 'Table', 'HorizontalRule'],
    ['Font', 'FontSize', 'TextColor', 'BGColor'],
    ['Undo', 'Redo', 'RemoveFormat', 'Source']
  ];
};
