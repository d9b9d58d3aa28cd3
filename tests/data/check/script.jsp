<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card>
    <p>Total:<SCRIPT LANGUAGE=JScript RUNAT=Server>
      var total = 3;
    </SCRIPT> three</p>
  </card>
</wml>
